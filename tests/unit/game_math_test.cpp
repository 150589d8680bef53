// The random sequence, the two-decimal trigonometric tables and their truncating lookups, distance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/game_math.h"

using namespace vorna;

TEST(GameRandom, FollowsTimesFivePlusOneFromZero) {
    Game g;
    const int32_t expected[] = {1, 6, 31, 156, 781};
    for (int32_t e : expected) EXPECT_EQ(GameRandom(g), e);
    EXPECT_EQ(g.random.state, 781u);
}

TEST(GameRandom, SeedReturnsFirstValueAndKeepsIt) {
    Game g;
    EXPECT_EQ(SeedRandom(g, 2), 11);
    EXPECT_EQ(g.random.state, 11u);
    EXPECT_EQ(GameRandom(g), 56);
}

TEST(GameRandom, WrapsModulo2To32AndReadsSigned) {
    Game g;
    SeedRandom(g, 0x40000000); // 0x40000000 * 5 + 1 = 0x140000001 -> 0x40000001
    EXPECT_EQ(g.random.state, 0x40000001u);
    g.random.state = 0x1FFFFFFFu;
    EXPECT_EQ(GameRandom(g), -1610612740); // 0x9FFFFFFC, read as a negative number
    EXPECT_EQ(SeedRandom(g, -1), -4);      // 0xFFFFFFFF * 5 + 1 = 0xFFFFFFFC
}

TEST(GameRandom, LowBitsAreShortCycled) {
    Game g;
    int32_t first[8];
    for (int32_t& v : first) v = GameRandom(g) & 7;
    for (int i = 0; i < 8; ++i) EXPECT_EQ(GameRandom(g) & 7, first[i]);
}

TEST(TrigTables, StartLikeTheTwoDecimalValues) {
    const double sinStart[] = {0.0, 0.02, 0.05, 0.07, 0.1, 0.12, 0.15, 0.17, 0.2, 0.22, 0.24, 0.27, 0.29};
    for (size_t i = 0; i < std::size(sinStart); ++i) EXPECT_EQ(SinTable[i], sinStart[i]) << i;
    const double cosStart[] = {1.0, 1.0, 1.0, 1.0, 1.0, 0.99, 0.99, 0.99, 0.98};
    for (size_t i = 0; i < std::size(cosStart); ++i) EXPECT_EQ(CosTable[i], cosStart[i]) << i;
    EXPECT_EQ(SinTable[64], 1.0);
    EXPECT_EQ(SinTable[128], 0.0);
    EXPECT_EQ(SinTable[192], -1.0);
    EXPECT_EQ(CosTable[64], 0.0);
    EXPECT_EQ(CosTable[128], -1.0);
}

// Every entry is the double nearest to a whole number of hundredths, within rounding of the true value.
TEST(TrigTables, EveryEntryIsTheNearestHundredth) {
    for (int i = 0; i < 256; ++i) {
        const double angle = 2.0 * M_PI * i / 256.0;
        for (const auto& [table, value] :
             {std::pair{SinTable, std::sin(angle)}, std::pair{CosTable, std::cos(angle)}}) {
            const double hundredths = std::round(table[i] * 100.0);
            EXPECT_EQ(table[i], hundredths / 100.0) << i;
            EXPECT_LE(std::fabs(value - table[i]), 0.005) << i;
        }
    }
}

TEST(TrigTables, AreQuarterTurnsOfEachOther) {
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(SinTable[(i + 64) & 255], CosTable[i]) << i;
        EXPECT_EQ(SinTable[(i + 128) & 255] + 0.0, -SinTable[i] + 0.0) << i;
    }
}

TEST(ScaledTrig, GivesTheDocumentedValues) {
    EXPECT_EQ(ScaledSin(64, 80), 80);
    EXPECT_EQ(ScaledSin(192, 80), -80);
    EXPECT_EQ(ScaledCos(64, 100), 0);
    EXPECT_EQ(ScaledCos(0, 100), 100);
    EXPECT_EQ(ScaledCos(128, 7), -7);
}

TEST(ScaledTrig, TruncatesTheDoubleProduct) {
    EXPECT_EQ(ScaledSin(12, 100), 28); // 0.29 is stored a little below 0.29
    EXPECT_EQ(ScaledSin(6, 80), 12);
    EXPECT_EQ(ScaledSin(5, 100), 12);
    EXPECT_EQ(ScaledSin(130, 16), 0); // toward zero, not -1
    EXPECT_EQ(ScaledSin(140, 100), -28);
}

TEST(ScaledTrig, UsesOnlyTheLowEightBitsOfTheAngle) {
    EXPECT_EQ(ScaledSin(256 + 64, 80), 80);
    EXPECT_EQ(ScaledSin(-1, 100), -2);
    EXPECT_EQ(ScaledCos(-64, 50), 0);
    EXPECT_EQ(ScaledSin(INT32_MIN + 64, 80), 80);
}

TEST(Distance, TruncatesTheRoot) {
    EXPECT_EQ(Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(Distance(0, 0, 1, 1), 1);
    EXPECT_EQ(Distance(3, 4, 0, 0), 5);
    EXPECT_EQ(Distance(-10, -10, -10, -10), 0);
    EXPECT_EQ(Distance(0, 0, 2, 2), 2); // 2.83
}

TEST(Distance, FarApartPointsStayPositive) {
    EXPECT_EQ(Distance(INT32_MIN, 0, INT32_MAX, 0), INT32_MAX);
    EXPECT_EQ(Distance(INT32_MIN, 0, 0, 0), INT32_MAX);
    EXPECT_EQ(Distance(-1000000000, 0, 1000000000, 0), 2000000000);
}

TEST(MakeScreenRect, StoresWithoutChecksAndReturnsTheSameRect) {
    ScreenRect r{};
    ScreenRect& back = MakeScreenRect(r, -5, 7, 0, -3);
    EXPECT_EQ(&back, &r);
    EXPECT_EQ(r.x, -5);
    EXPECT_EQ(r.y, 7);
    EXPECT_EQ(r.width, 0);
    EXPECT_EQ(r.height, -3);
}
