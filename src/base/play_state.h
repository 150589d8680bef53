// Play state: the nine counters, the globe, VORNA, the cells and the effect pools.
#pragma once
#include <cstdint>

namespace vorna {

// One record in this order; the boot scene clears it in one go.
struct PlayCounters {
    int32_t Score;
    int32_t HiScore;
    int32_t MissionTime;
    int32_t MissionCleared;
    int32_t MissionFailed;
    int32_t BlocksLeft;
    int32_t MissionOver;
    int32_t MissionNumber;
    int32_t Level;
};

enum GlobeForm : int32_t { SUN = 0, TERA = 1, MOON = 2 };

struct GlobeRecord {
    int32_t X, Y, PrevX, PrevY, Heading;
    float Speed;
    int32_t Energy, Form, SavedForm;
};

struct VornaRecord {
    int32_t X, Y, PrevX, PrevY, Heading;
    float Speed;
    int32_t Energy, Steer, HurtTimer;
};

constexpr int kCellCount = 50;

// The common record of every effect pool; each pool uses the fields its rules name.
struct EffectObject {
    int32_t Active;
    int32_t X, Y;
    int32_t Frame, Period, Counter;                         // explosions, debris; stars use Frame
    int32_t VX, VY;                                         // debris, stars
    int32_t Age, Angle, Spin, CentreX, CentreY;             // sparks
    int32_t FrameCounter, XCount, YCount, XPeriod, YPeriod; // stars
};

constexpr int kExplosionSlots = 32;
constexpr int kSparkSlots = 64;
constexpr int kDebrisSlots = 32;
constexpr int kStarSlots = 64;

struct EffectPools {
    EffectObject ExplosionPool[kExplosionSlots];
    EffectObject SparkPool[kSparkSlots];
    EffectObject DebrisPool[kDebrisSlots];
    EffectObject StarPool[kStarSlots];
};

struct PlayState {
    PlayCounters counters;
    GlobeRecord globe;
    VornaRecord vorna;
    int32_t CellType[kCellCount];
    int32_t CellHits[kCellCount];
    int32_t GlobeScreenX;
    int32_t GlobeScreenY;
    int32_t ScoreTarget; // results scene
    EffectPools pools;
};

} // namespace vorna
