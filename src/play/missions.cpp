// The ten missions: names, start positions and cell types.
#include "play/missions.h"

namespace vorna {

namespace {

// The names live apart from the records so that MissionNames can point at them without run-time set-up.
const char kRedOrBlue[] = "RED OR BLUE";
const char kHardMetal[] = "HARD METAL";
const char kGreenSoul[] = "GREEN SOUL";
const char kAsteroidOfSmog[] = "ASTEROID OF SMOG";
const char kLabyrinth[] = "LABYRINTH";
const char kDeadLine[] = "DEAD LINE";
const char kEnemyBase[] = "ENEMY BASE";
const char kPointToPoint[] = "POINT TO POINT";
const char kDeadOrAlive[] = "DEAD OR ALIVE";
const char kMotherOfVorna[] = "MOTHER OF VORNA";

} // namespace

// clang-format off
const MissionRecord MissionTable[10] = {
    {kRedOrBlue, 128, 432, {
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 2, 0, 2, 4,   4, 0, 2, 0, 4,   4, 0, 0, 0, 4,
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4}},
    {kHardMetal, 128, 96, {
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,
        4, 0, 3, 0, 4,   4, 2, 3, 2, 4,   4, 0, 3, 0, 4,   4, 4, 3, 4, 4,   4, 4, 3, 4, 4}},
    {kGreenSoul, 128, 288, {
        4, 4, 4, 4, 4,   0, 1, 1, 1, 0,   4, 0, 1, 0, 4,   4, 0, 0, 0, 4,   4, 4, 4, 4, 4,
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   3, 3, 3, 3, 3,   4, 13, 3, 3, 13, 3, 4, 3, 4, 13}},
    {kAsteroidOfSmog, 128, 384, {
        1, 1, 4, 4, 13,  1, 1, 4, 3, 4,   13, 4, 4, 4, 4,  4, 2, 2, 4, 3,   4, 2, 2, 4, 4,
        3, 4, 4, 4, 13,  4, 13, 4, 4, 4,  4, 4, 4, 4, 4,   4, 4, 4, 13, 0,  4, 3, 4, 0, 0}},
    {kLabyrinth, 128, 216, {
        13, 4, 11, 11, 13,  4, 3, 1, 1, 1,   4, 3, 2, 2, 2,  13, 13, 3, 3, 1,  12, 11, 10, 3, 13,
        4, 3, 10, 13, 4,    1, 3, 3, 4, 13,  0, 0, 0, 3, 4,  1, 1, 1, 3, 4,    13, 10, 11, 4, 4}},
    {kDeadLine, 128, 432, {
        3, 4, 3, 4, 3,   4, 2, 1, 2, 4,   3, 0, 2, 1, 3,   4, 1, 0, 0, 4,   3, 0, 2, 1, 3,
        4, 1, 3, 2, 4,   3, 0, 1, 2, 3,   4, 4, 4, 4, 4,   3, 4, 4, 4, 3,   4, 4, 4, 4, 4}},
    {kEnemyBase, 0, 432, {
        2, 3, 4, 13, 11,  12, 3, 4, 3, 1,  4, 13, 4, 3, 3,  4, 3, 4, 4, 4,  3, 3, 3, 13, 3,
        11, 1, 3, 4, 4,   4, 3, 3, 3, 4,   4, 13, 4, 13, 4, 3, 3, 4, 3, 10, 4, 4, 4, 3, 0}},
    {kPointToPoint, 128, 288, {
        13, 3, 13, 3, 13,  0, 13, 1, 13, 2,  13, 3, 13, 3, 13,  1, 13, 1, 13, 1,  13, 3, 13, 3, 13,
        2, 13, 1, 13, 2,   13, 3, 13, 3, 13,  0, 13, 1, 13, 0,  13, 3, 13, 3, 13,  0, 13, 4, 13, 0}},
    {kDeadOrAlive, 128, 240, {
        0, 0, 0, 0, 0,   0, 0, 0, 0, 0,   0, 0, 0, 0, 0,   1, 1, 1, 1, 1,   1, 1, 4, 1, 1,
        1, 1, 4, 1, 1,   1, 1, 1, 1, 1,   2, 2, 2, 2, 2,   2, 2, 2, 2, 2,   2, 2, 2, 2, 2}},
    {kMotherOfVorna, 128, 240, {
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,
        4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4,   4, 4, 4, 4, 4}},
};
// clang-format on

const char* const MissionNames[10] = {
    kRedOrBlue, kHardMetal, kGreenSoul,    kAsteroidOfSmog, kLabyrinth,
    kDeadLine,  kEnemyBase, kPointToPoint, kDeadOrAlive,    kMotherOfVorna,
};

} // namespace vorna
