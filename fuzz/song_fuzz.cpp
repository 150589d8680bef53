// libFuzzer target: OpenSong on any bytes, then fills through loops and tempo changes until the song ends,
// fails or falls silent, with every fill held to the reader's work budgets.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "backends/headless/memory_files.h"
#include "base/game.h"
#include "music/song_reader.h"

namespace {

// Enough fills for a small song to loop several times.
constexpr int kMostFills = 256;
// One event past the byte budget at most: a message straddling a window edge refills once more.
constexpr uint32_t kFillByteCeiling = vorna::kFillByteBudget + 2 * vorna::kTrackWindowBytes;

} // namespace

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
    if (OpenSong(game->music, game->platform.files, "song") == 0) {
        uint8_t out[kStreamBufferBytes];
        StreamBuffer b{};
        b.header.data = out;
        b.header.bufferLength = kStreamBufferBytes;
        for (int i = 0; i < kMostFills; ++i) {
            b.startOffset = 0;
            b.maxLength = kStreamBufferBytes;
            b.startTime = 0;
            b.SpanExceeded = 0;
            // Halfway the game changes the tempo, as a mission in danger does.
            if (i == kMostFills / 2) game->music.TempoPercent.store(150);
            int32_t r = FillStreamBuffer(game->music, game->platform.files, i == 0, b);
            if (b.bytesFilled > kStreamBufferBytes || b.bytesFilled % kStreamEventBytes) __builtin_trap();
            const ConverterWork& w = game->music.song.work;
            if (w.eventsRead > kFillEventBudget || w.bytesRead > kFillByteCeiling + w.largestPayload) __builtin_trap();
            if (r != 0) {
                // An ended or failed song stays so, and costs nothing more.
                if (FillStreamBuffer(game->music, game->platform.files, 0, b) != (r == FillCorrupt ? FillStuck : r))
                    __builtin_trap();
                if (game->music.song.work.bytesRead != 0) __builtin_trap();
                break;
            }
        }
    }
    CloseSong(game->music, game->platform.files);
    if (game->music.song.PayloadCount.load() != 0 || files.OpenCount() != 0) __builtin_trap();
    return 0;
}
