// The whole headless backend in one object: it owns every device and hands them to a Game.
#include "backends/headless/headless_platform.h"

#include <utility>

#include "gfx/display.h"

namespace vorna {

HeadlessBackend::HeadlessBackend(Game& g, InputScript script)
    : input(std::move(script)), pump(g, clock), keyboard(input), joystick(input), game_(g) {}

void HeadlessBackend::Attach() {
    Platform& p = game_.platform;
    p.clock = &clock;
    p.pump = &pump;
    p.keyboard = &keyboard;
    p.joystick = &joystick;
    p.presenter = &presenter;
    p.sound = &sound;
    p.midi = &midi;
    // The stream plays on in the frames' own time, so buffers come back and are refilled during play;
    // nothing is noted of what it plays, so that playing never allocates.
    midi.playedLimit = 0;
    clock.SetFollower(&midi);
    p.shell = &shell;
    p.resources = &resources;
    p.files = &files;
    // No window can be deactivated, and the reserved colours come from no system palette.
    game_.app.AppActive = 1;
    FillStandardSystemColours(game_.display.PaletteEntries);
}

} // namespace vorna
