// Runs the song converter over a whole song and collects what it writes, for the reader's tests.
#pragma once
#include <cstdint>
#include <vector>

#include "audio_fixtures.h"
#include "music/song_reader.h"

namespace vorna::testing {

struct ConvertedEvent {
    uint32_t tick; // absolute, from the sum of the written deltas
    uint32_t word;
    bool operator==(const ConvertedEvent& o) const { return tick == o.tick && word == o.word; }
};

struct Conversion {
    int32_t openResult = 1;
    int32_t lastResult = 0;
    std::vector<ConvertedEvent> events;
    std::vector<uint32_t> eventsPerBuffer;
    int buffers = 0;
};

// Fills buffers until FillEnd or a failure (at most maxBuffers), with LoopSong off.
inline Conversion ConvertSong(Game& g, const char* path, int maxBuffers = 1000000) {
    Conversion c;
    c.openResult = OpenSong(g.music, g.platform.files, path);
    if (c.openResult != 0) return c;
    uint8_t data[kStreamBufferBytes];
    StreamBuffer b{};
    b.header.data = data;
    b.header.bufferLength = kStreamBufferBytes;
    uint32_t tick = 0;
    for (int i = 0; i < maxBuffers; ++i) {
        b.startOffset = 0;
        b.maxLength = kStreamBufferBytes;
        b.startTime = 0;
        b.SpanExceeded = 0;
        c.lastResult = FillStreamBuffer(g.music, g.platform.files, i == 0, b);
        if (c.lastResult != 0) break;
        ++c.buffers;
        c.eventsPerBuffer.push_back(b.bytesFilled / kStreamEventBytes);
        for (uint32_t k = 0; k < b.bytesFilled / kStreamEventBytes; ++k) {
            StreamEventRecord r = StreamEventAt(data, k);
            tick += r.delta;
            c.events.push_back({tick, r.event});
        }
    }
    CloseSong(g.music, g.platform.files);
    return c;
}

} // namespace vorna::testing
