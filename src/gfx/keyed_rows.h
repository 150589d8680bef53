// Row kernels of the blitter: colour-keyed row copies, straight or through a column table, a block at a time.
#pragma once
#include <cstdint>
#include <cstring>

// VORNA_NO_SIMD selects the portable kernels, to test them on a machine with SSE2.
#if (defined(__SSE2__) || defined(_M_X64)) && !defined(VORNA_NO_SIMD)
#include <emmintrin.h>
#define VORNA_KEYED_ROWS_SSE2 1
#endif

namespace vorna {
namespace keyed_rows {

constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t kEveryByte = 0x0101010101010101ull;
constexpr int32_t kWordBytes = 8;

// Eight source bytes over eight destination bytes as one word, keeping the destination where the source
// holds the key (keys: the key in every byte).
inline uint64_t BlendWord(uint64_t s, uint64_t d, uint64_t keys) {
    const uint64_t x = s ^ keys; // zero bytes where the source holds the key
    const uint64_t nonzero = ((x & kLowBits) + kLowBits) | x;
    const uint64_t keyed = ((~nonzero & ~kLowBits) >> 7) * 0xFF;
    return (s & ~keyed) | (d & keyed);
}

// A block is sixteen bytes in an SSE2 register, or else eight in a 64-bit word.
#ifdef VORNA_KEYED_ROWS_SSE2
using Block = __m128i;
constexpr int32_t kBlockBytes = 16;
inline Block Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(uint8_t* p, Block b) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), b);
}
inline Block Keys(uint8_t key) {
    return _mm_set1_epi8(static_cast<char>(key));
}
// Source bytes over destination bytes, keeping the destination where the source holds the key.
inline Block Blend(Block s, Block d, Block keys) {
    const __m128i keyed = _mm_cmpeq_epi8(s, keys);
    return _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, s));
}
#else
using Block = uint64_t;
constexpr int32_t kBlockBytes = 8;
inline Block Load(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
inline void Store(uint8_t* p, Block b) {
    std::memcpy(p, &b, 8);
}
inline Block Keys(uint8_t key) {
    return kEveryByte * key;
}
inline Block Blend(Block s, Block d, Block keys) {
    return BlendWord(s, d, keys);
}
#endif

// Eight bytes of s picked by columns, as one word in memory order.
inline uint64_t GatherWord(const uint8_t* s, const int32_t* columns) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    uint8_t bytes[8];
    for (int b = 0; b < 8; ++b) bytes[b] = s[columns[b]];
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
#else
    uint64_t word = 0;
    for (int b = 0; b < 8; ++b) word |= static_cast<uint64_t>(s[columns[b]]) << (8 * b);
    return word;
#endif
}

#ifdef VORNA_KEYED_ROWS_SSE2
// Two bytes of s picked by columns, as one 16-bit lane in memory order.
inline int PairAt(const uint8_t* s, const int32_t* columns) {
    return s[columns[0]] | s[columns[1]] << 8;
}
#endif

// The bytes of s picked by kBlockBytes entries of columns, as one block.
inline Block Gather(const uint8_t* s, const int32_t* columns) {
#ifdef VORNA_KEYED_ROWS_SSE2
    __m128i b = _mm_cvtsi32_si128(PairAt(s, columns));
    b = _mm_insert_epi16(b, PairAt(s, columns + 2), 1);
    b = _mm_insert_epi16(b, PairAt(s, columns + 4), 2);
    b = _mm_insert_epi16(b, PairAt(s, columns + 6), 3);
    b = _mm_insert_epi16(b, PairAt(s, columns + 8), 4);
    b = _mm_insert_epi16(b, PairAt(s, columns + 10), 5);
    b = _mm_insert_epi16(b, PairAt(s, columns + 12), 6);
    return _mm_insert_epi16(b, PairAt(s, columns + 14), 7);
#else
    return GatherWord(s, columns);
#endif
}

// The last, partial block of a row ends at the row's end and may reach back over bytes already done.
// Where eight bytes cover what is left, it is a half block (fewer source bytes read for nothing).
struct Tail {
    int32_t at;
    bool half;
};
inline Tail TailOf(int32_t count) {
    const bool half = kBlockBytes == 16 && count % kBlockBytes <= 8;
    return Tail{count - (half ? 8 : kBlockBytes), half};
}
#ifdef VORNA_KEYED_ROWS_SSE2
inline Block LoadTail(const uint8_t* p, bool half) {
    return half ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)) : Load(p);
}
inline void StoreTail(uint8_t* p, Block b, bool half) {
    if (half)
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), b);
    else
        Store(p, b);
}
inline Block GatherTail(const uint8_t* s, const int32_t* columns, bool half) {
    return half ? _mm_set_epi64x(0, static_cast<long long>(GatherWord(s, columns))) : Gather(s, columns);
}
#else
inline Block LoadTail(const uint8_t* p, bool) {
    return Load(p);
}
inline void StoreTail(uint8_t* p, Block b, bool) {
    Store(p, b);
}
inline Block GatherTail(const uint8_t* s, const int32_t* columns, bool) {
    return Gather(s, columns);
}
#endif

// The same columns of two source rows at once, reading the column table once for both.
inline void GatherWordPair(const uint8_t* s0, const uint8_t* s1, const int32_t* columns, uint64_t& w0, uint64_t& w1) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w0 = GatherWord(s0, columns);
    w1 = GatherWord(s1, columns);
#else
    w0 = w1 = 0;
    for (int b = 0; b < 8; ++b) {
        const int32_t c = columns[b];
        w0 |= static_cast<uint64_t>(s0[c]) << (8 * b);
        w1 |= static_cast<uint64_t>(s1[c]) << (8 * b);
    }
#endif
}
#ifdef VORNA_KEYED_ROWS_SSE2
// Lane L of two blocks from the same two columns of two source rows.
template <int L>
inline void InsertPairs(__m128i& b0, __m128i& b1, const uint8_t* s0, const uint8_t* s1, const int32_t* columns) {
    const int32_t c0 = columns[2 * L], c1 = columns[2 * L + 1];
    b0 = _mm_insert_epi16(b0, s0[c0] | s0[c1] << 8, L);
    b1 = _mm_insert_epi16(b1, s1[c0] | s1[c1] << 8, L);
}
#endif

inline void GatherPair(const uint8_t* s0, const uint8_t* s1, const int32_t* columns, bool half, Block& b0, Block& b1) {
#ifdef VORNA_KEYED_ROWS_SSE2
    b0 = b1 = _mm_setzero_si128();
    InsertPairs<0>(b0, b1, s0, s1, columns);
    InsertPairs<1>(b0, b1, s0, s1, columns);
    InsertPairs<2>(b0, b1, s0, s1, columns);
    InsertPairs<3>(b0, b1, s0, s1, columns);
    if (half) return;
    InsertPairs<4>(b0, b1, s0, s1, columns);
    InsertPairs<5>(b0, b1, s0, s1, columns);
    InsertPairs<6>(b0, b1, s0, s1, columns);
    InsertPairs<7>(b0, b1, s0, s1, columns);
#else
    (void)half;
    GatherWordPair(s0, s1, columns, b0, b1);
#endif
}

// Copies a row, leaving out bytes equal to key. The tail is worked out from the destination as it
// was (which gives the bytes it shares with the last whole block the same values) and before the
// loop, so that no load waits on a store it half overlaps. src and dst must not overlap.
inline void CopyRowKeyed(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key) {
    if (count < kBlockBytes) {
        // Short rows (a letter, a star) are most rows drawn: a byte loop's branch on the key was
        // mispredicted at every edge of the shape. Eight bytes or more go as two words that meet or
        // overlap, the second worked out from the destination as it was; fewer without a branch.
        if (count >= kWordBytes) {
            const uint64_t keys = kEveryByte * key;
            uint64_t s0, d0, s1, d1;
            std::memcpy(&s0, src, kWordBytes);
            std::memcpy(&d0, dst, kWordBytes);
            std::memcpy(&s1, src + count - kWordBytes, kWordBytes);
            std::memcpy(&d1, dst + count - kWordBytes, kWordBytes);
            const uint64_t head = BlendWord(s0, d0, keys), tail = BlendWord(s1, d1, keys);
            std::memcpy(dst, &head, kWordBytes);
            std::memcpy(dst + count - kWordBytes, &tail, kWordBytes);
            return;
        }
        for (int32_t i = 0; i < count; ++i) {
            const uint8_t s = src[i], d = dst[i];
            dst[i] = s != key ? s : d;
        }
        return;
    }
    const Block keys = Keys(key);
    const Tail t = TailOf(count);
    const Block tail = Blend(LoadTail(src + t.at, t.half), LoadTail(dst + t.at, t.half), keys);
    for (int32_t i = 0; i + kBlockBytes <= count; i += kBlockBytes)
        Store(dst + i, Blend(Load(src + i), Load(dst + i), keys));
    StoreTail(dst + t.at, tail, t.half);
}

// A keyed row from the source columns (count >= kBlockBytes), keeping what it gathered for the
// following destination rows that repeat the same source row.
inline void GatherRowKeyed(uint8_t* dst, const uint8_t* s, const int32_t* columns, int32_t count, uint8_t key,
                           uint8_t* gathered) {
    const Block keys = Keys(key);
    const Tail t = TailOf(count);
    const Block tailSource = GatherTail(s, columns + t.at, t.half);
    const Block tail = Blend(tailSource, LoadTail(dst + t.at, t.half), keys);
    for (int32_t i = 0; i + kBlockBytes <= count; i += kBlockBytes) {
        const Block b = Gather(s, columns + i);
        Store(gathered + i, b);
        Store(dst + i, Blend(b, Load(dst + i), keys));
    }
    StoreTail(gathered + t.at, tailSource, t.half);
    StoreTail(dst + t.at, tail, t.half);
}

// Two keyed rows from two different source rows through the same columns (count >= kBlockBytes),
// keeping what it gathered of the second for the rows that repeat it.
inline void GatherRowPairKeyed(uint8_t* dst0, uint8_t* dst1, const uint8_t* s0, const uint8_t* s1,
                               const int32_t* columns, int32_t count, uint8_t key, uint8_t* gathered) {
    const Block keys = Keys(key);
    const Tail t = TailOf(count);
    Block tailSource0, tailSource1;
    GatherPair(s0, s1, columns + t.at, t.half, tailSource0, tailSource1);
    const Block tail0 = Blend(tailSource0, LoadTail(dst0 + t.at, t.half), keys);
    const Block tail1 = Blend(tailSource1, LoadTail(dst1 + t.at, t.half), keys);
    for (int32_t i = 0; i + kBlockBytes <= count; i += kBlockBytes) {
        Block b0, b1;
        GatherPair(s0, s1, columns + i, false, b0, b1);
        Store(gathered + i, b1);
        Store(dst0 + i, Blend(b0, Load(dst0 + i), keys));
        Store(dst1 + i, Blend(b1, Load(dst1 + i), keys));
    }
    StoreTail(gathered + t.at, tailSource1, t.half);
    StoreTail(dst0 + t.at, tail0, t.half);
    StoreTail(dst1 + t.at, tail1, t.half);
}

} // namespace keyed_rows
} // namespace vorna
