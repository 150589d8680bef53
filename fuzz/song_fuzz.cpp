// libFuzzer target: OpenSong on any bytes, then repeated FillStreamBuffer, looping, until it ends or fails.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "backends/headless/memory_files.h"
#include "base/game.h"
#include "music/song_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorna;
    auto game = std::make_unique<Game>();
    MemoryFileSystem files;
    files.files["song"].assign(data, data + size);
    game->platform.files = &files;
    // The first byte picks the mode: looping, and a tempo percentage (0 included).
    bool loop = size > 0 && (data[0] & 1);
    game->music.LoopSong.store(loop ? 1 : 0);
    game->music.TempoPercent.store(size > 1 ? int(data[1]) * 2 : 100);
    if (OpenSong(*game, "song") == 0) {
        uint8_t out[kStreamBufferBytes];
        StreamBuffer b{};
        b.header.data = out;
        b.header.bufferLength = kStreamBufferBytes;
        for (int i = 0; i < 64; ++i) {
            b.startOffset = 0;
            b.maxLength = kStreamBufferBytes;
            b.startTime = 0;
            b.SpanExceeded = 0;
            int32_t r = FillStreamBuffer(*game, i == 0, b);
            if (b.bytesFilled > kStreamBufferBytes || b.bytesFilled % kStreamEventBytes) __builtin_trap();
            if (r != 0) break;
        }
    }
    CloseSong(*game);
    if (game->music.song.PayloadCount.load() != 0 || files.OpenCount() != 0) __builtin_trap();
    return 0;
}
