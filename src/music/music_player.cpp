// The MIDI stream player: one looping song at a time, two buffers in flight.
#include "music/music_player.h"

namespace vorna {

const char* const MusicFileTable[14] = {"m00.dat", "m01.dat", "m02.dat", "m03.dat", "m04.dat",
                                        "m07.dat", "m08.dat", "m09.dat", "m0a.dat", "m0b.dat",
                                        "m0c.dat", "m0d.dat", "m05.dat", "m06.dat"};
int OpenMusic(Game&) { return 0; }
int CloseMusic(Game&) { return 1; }
int PlayMusic(Game& g, int number) {
    if (g.music.MusicOn) StopMusic(g);
    if (g.platform.observer) g.platform.observer->MusicCalled(GameObserver::MusicCall::Play, number);
    g.music.MusicOn = 1;
    return 0;
}
int StopMusic(Game& g) {
    if (g.platform.observer) g.platform.observer->MusicCalled(GameObserver::MusicCall::Stop, 0);
    g.music.MusicOn = 0;
    return 1;
}
int SetMusicTempo(Game& g, int percent) {
    if (g.platform.observer) g.platform.observer->MusicCalled(GameObserver::MusicCall::Tempo, percent);
    g.music.TempoPercent = percent;
    return 1;
}

} // namespace vorna
