// Watches a session of the game for its trace, its input recording and its replay, frame by frame.
#include "programs/headless_runner/session_observer.h"

namespace vorna {

void SessionObserver::SoundRequested(int number) {
    if (InRunningFrame()) events_.sounds.push_back(number);
}

void SessionObserver::MusicCalled(MusicCall call, int argument) {
    if (InRunningFrame()) events_.music.push_back(MusicCallText(call, argument));
}

void SessionObserver::FrameFinished() {
    ++framesDone_;
    if (trace_ != nullptr) {
        line_.clear();
        AppendTraceLine(line_, game_, framesDone_, events_);
        line_ += '\n';
        traceFailed_ = traceFailed_ || std::fputs(line_.c_str(), trace_) < 0;
    }
    events_.Clear();
    if (recorder_ != nullptr) recorder_->FrameDone(framesDone_);
    if (replay_ != nullptr) replay_->SetFrame(framesDone_ + 1);
}

} // namespace vorna
