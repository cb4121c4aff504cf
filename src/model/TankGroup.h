// Tanks and holds of the nine load groups with their tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/BinaryStream.h"
#include "numerics/Table.h"

namespace kv {

// Tank table slots of TkTables.
enum TankTableSlot {
    TkBase = 0,          // LEVEL, VOLUME, LCG, TCG, VCG, FSM
    TkUllageTrim = 1,    // holds: volume by ULLAGE per trim
    TkSoundTrim = 2,     // tanks: volume by SOUND per trim
    TkUllageCorr = 3,    // holds: ullage correction (mm) per trim
    TkUllageHeel = 4,    // holds: heel table by ULLAGE
    TkSoundCorr = 5,     // tanks: sounding correction (mm) per trim
    TkSoundHeel = 6,     // tanks: heel table by SOUND
};

// A tank: the 536-byte fixed part (kept raw; the named fields are decoded from
// it) and its twelve stored tables.
struct tank_rec {
    std::array<uint8_t, 536> Fixed{};
    ShortString<50> TankName;       // 4
    Extended TopZ = 0;              // 56
    Extended BottomZ = 0;           // 72
    Extended AftEnd = 0;            // 136
    Extended ForeEnd = 0;           // 152
    Extended TransY1 = 0;           // 168
    Extended TransY2 = 0;           // 184
    Extended MaxSeqWeight = 0;      // 216
    Extended MaxPumpRate = 0;       // 232
    Extended MaxVolume = 0;         // 248
    Extended MaxLevel = 0;          // 264
    Extended MaxFSM = 0;            // 280
    Extended DefaultSG = 0;         // 296
    Extended MaxGSM = 0;            // 312
    Extended TrimmedVolume = 0;     // 328
    Extended UntrimmedVolume = 0;   // 344
    Extended FullGSM1 = 0;          // 360
    Extended FullGSM2 = 0;          // 376
    Extended GrainVCG1 = 0;         // 392
    Extended GrainVCG2 = 0;         // 408
    std::array<Extended, 3> SFFactors{};  // 424, packed 10 bytes each
    Extended DBMaxVolume = 0;       // 488
    Extended SlackFactor = 0;       // 504
    Extended FSMReduction = 0;      // 520

    std::array<xyztable_rec, 7> TkTables;    // stored slots 1..7
    std::array<xyztable_rec, 3> SpareTables; // stored slots 8..10: no calculation uses them,
                                             // kept so that the file can be written back
    std::array<xyztable_rec, 2> OptTables;   // [0] stored slot 12 (hold grain table), [1] slot 11
};

struct grinfo_rec {
    int32_t TankCount = 0;
    int32_t GroupIndex = 0;
    ShortString<50> GroupName;
    std::vector<tank_rec> Tanks;
};

struct tankgroup_rec {
    std::array<grinfo_rec, 9> Groups;
};

// Index of the first tank of group (1..8) whose trimmed name equals the
// trimmed name (case-sensitive), or -1.
int FindTankByName(const tankgroup_rec& tg, int group, const std::string& name);

}  // namespace kv
