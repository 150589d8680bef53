// The set of platform services one program hands to the core; each backend fills it in.
#pragma once
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/joystick.h"
#include "platform/keyboard.h"
#include "platform/message_pump.h"
#include "platform/midi_stream.h"
#include "platform/presenter.h"
#include "platform/shell.h"
#include "platform/sound_device.h"

namespace vorna {

// What a tool that watches the game (the headless trace) wants to hear of; optional.
class GameObserver {
public:
    virtual ~GameObserver() = default;
    virtual void SoundRequested(int number) = 0;
    enum class MusicCall { Play, Stop, Tempo };
    virtual void MusicCalled(MusicCall call, int argument) = 0;
    // Called by the frame driver after each running frame's SceneFrame has returned, before presentation.
    virtual void FrameFinished() {}
};

struct Platform {
    Clock* clock = nullptr;
    MessagePump* pump = nullptr;
    Keyboard* keyboard = nullptr;
    Joystick* joystick = nullptr;
    Presenter* presenter = nullptr;
    SoundDevice* sound = nullptr;
    MidiStreamDevice* midi = nullptr;
    Shell* shell = nullptr;
    Resources* resources = nullptr;
    FileSystem* files = nullptr;
    GameObserver* observer = nullptr;
};

} // namespace vorna
