// What each sound number is: the scenes play them by these names and the asset generator makes them.
#pragma once

namespace vorna {

constexpr int kSoundBlockDestroyed = 0; // the blast; kSoundBlockShards follows it
constexpr int kSoundLeaveScreen = 1;
constexpr int kSoundBlockHit = 2;
constexpr int kSoundWallBounce = 3;
constexpr int kSoundMissionStart = 4; // also the boot logo rising
constexpr int kSoundStoneHit = 5;
constexpr int kSoundFanfare = 6; // the boot logo in place and the results
constexpr int kSoundFormChange = 7;
constexpr int kSoundVornaAlarm = 8; // the last mission begins
constexpr int kSoundCountTick = 9;
constexpr int kSoundVornaRammed = 10;
constexpr int kSoundBlockShards = 11;

constexpr int kSoundEffectCount = 12;

} // namespace vorna
