// Watches a session of the game for its trace, its input recording and its replay, frame by frame.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "backends/headless/headless_input.h"
#include "base/game.h"
#include "programs/headless_runner/input_recording.h"
#include "programs/headless_runner/trace.h"

namespace vorna {

class SessionObserver : public GameObserver {
public:
    explicit SessionObserver(const Game& g) : game_(g) {}
    void SetTrace(std::FILE* trace) { trace_ = trace; }
    void SetRecorder(InputRecorder* recorder) { recorder_ = recorder; }
    // The replayed script moves on to the next running frame after each one.
    void SetReplay(ScriptedInput* replay) { replay_ = replay; }

    void SoundRequested(int number) override;
    void MusicCalled(MusicCall call, int argument) override;
    void FrameFinished() override;
    uint32_t FramesDone() const { return framesDone_; }
    bool TraceFailed() const { return traceFailed_; }

private:
    // Calls made while the devices start or close belong to no running frame.
    bool InRunningFrame() const { return game_.app.AppPhase == PhaseRunning; }

    const Game& game_;
    std::FILE* trace_ = nullptr;
    InputRecorder* recorder_ = nullptr;
    ScriptedInput* replay_ = nullptr;
    uint32_t framesDone_ = 0;
    FrameEvents events_;
    std::string line_;
    bool traceFailed_ = false;
};

} // namespace vorna
