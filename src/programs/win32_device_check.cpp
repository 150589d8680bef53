// win32-device-check.exe: drives the Win32 sound, music, joystick and file devices once, for the Wine tests.
#include "backends/win32/win32_headers.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "backends/win32/win32_audio.h"
#include "backends/win32/win32_services.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

void NoCallback(void*, unsigned, vorna::MidiHeader*) {}

} // namespace

// Sound: a real device must play a duplicated voice; without one, Create reports it and nothing else breaks.
// Music: a stream that cannot be opened leaves every later call harmless, as the game then runs silent.
int main(int argc, char** argv) {
    using namespace vorna;
    const bool needSound = argc > 1 && std::string_view(argv[1]) == "--need-sound";
    HWND window = CreateWindowExA(0, "STATIC", "device check", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);

    Win32SoundDevice sound;
    sound.SetWindow(window);
    const bool created = sound.Create();
    if (needSound) Check(created, "DirectSoundCreate");
    if (created) {
        const WaveFormat format{1, 1, 22050, 22050, 1, 8};
        std::vector<uint8_t> wave(22050 / 2);
        for (size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<uint8_t>((i / 25) % 2 ? 160 : 96);
        const int buffer = sound.CreateBuffer(format, static_cast<uint32_t>(wave.size()));
        Check(buffer != kNoSoundBuffer, "static buffer");
        Check(sound.FillBuffer(buffer, wave.data(), static_cast<uint32_t>(wave.size())), "fill");
        const int voice = sound.Duplicate(buffer);
        Check(voice != kNoSoundBuffer, "duplicate");
        sound.SetCurrentPosition(voice, 0);
        sound.SetPan(voice, -2000);
        sound.SetVolume(voice, -300);
        sound.Play(voice);
        uint32_t status = 0;
        Check(sound.GetStatus(voice, status) && (status & kSoundStatusPlaying) != 0, "voice playing");
        sound.Stop(voice);
        Check(sound.GetStatus(voice, status) && (status & kSoundStatusPlaying) == 0, "voice stopped");
        Check(sound.Duplicate(99) == kNoSoundBuffer && !sound.FillBuffer(-1, wave.data(), 1), "bad handles refused");
        sound.ReleaseBuffer(buffer);
        sound.Release();
        sound.Release(); // twice is harmless
    } else {
        std::printf("no sound device: the game runs silent\n");
    }

    Win32MidiStreamDevice midi;
    SyncEvent* event = midi.CreateEvent();
    Check(event != nullptr, "event \"Wait For Buffer Return\"");
    if (event != nullptr) {
        event->Set();
        Check(event->Wait(0) && !event->Wait(10), "event resets itself");
        midi.DestroyEvent(event);
    }
    const uint32_t opened = midi.Open(NoCallback, nullptr);
    std::printf("midiStreamOpen: %u\n", static_cast<unsigned>(opened));
    if (opened == MMSYSERR_NOERROR) {
        Check(midi.SetTimeDivision(480) == MMSYSERR_NOERROR, "time division");
        Check(midi.Stop() == MMSYSERR_NOERROR && midi.Reset() == MMSYSERR_NOERROR, "stop and reset");
        Check(midi.Close() == MMSYSERR_NOERROR, "close");
    } else {
        uint8_t data[12] = {};
        MidiHeader header{data, sizeof data, sizeof data, 0, nullptr};
        Check(midi.PrepareHeader(&header) != MMSYSERR_NOERROR && midi.Out(&header) != MMSYSERR_NOERROR &&
                  midi.Restart() != MMSYSERR_NOERROR && midi.Close() != MMSYSERR_NOERROR,
              "a stream that did not open refuses every call");
    }

    Win32Joystick joystick;
    JoystickPosition pos{};
    const uint32_t devices = joystick.GetNumDevs();
    std::printf("joysticks reported: %u, position of 0: %s\n", static_cast<unsigned>(devices),
                joystick.GetPosition(0, pos) ? "read" : "none");

    Win32FileSystem files;
    char path[MAX_PATH];
    const uint32_t n = files.ModuleFileName(path, sizeof path);
    Check(n > 0 && n < sizeof path, "module file name");
    const int file = files.Open(path);
    uint32_t size = 0;
    uint8_t head[2] = {};
    Check(file != kNoFile && files.Size(file, size) && size > 2 && files.Read(file, head, 2) == 2 && head[0] == 'M' &&
              head[1] == 'Z',
          "reading our own program file");
    Check(files.Seek(file, size) && files.Read(file, head, 2) == 0, "end of file");
    files.Close(file);
    Check(files.Read(file, head, 1) == -1 && files.Open("no such file.dat") == kNoFile, "closed and missing files");
    char tiny[4];
    Check(files.ModuleFileName(tiny, sizeof tiny) == 3 && tiny[3] == '\0', "a short buffer is cut and terminated");

    if (window != nullptr) DestroyWindow(window);
    std::printf("%s\n", failures == 0 ? "all device checks passed" : "device checks FAILED");
    return failures == 0 ? 0 : 1;
}
