// The fixed ship data: particulars, sign conventions, frames, outlines,
// allowable strength, the ship table set and the ship options.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/BinaryStream.h"
#include "numerics/GeoTypes.h"
#include "numerics/Table.h"

namespace kv {

constexpr int LoadGroupCount = 9;   // load groups 0..8
constexpr int ContainerGroup = 9;   // pseudo group of the containers in the user interface
constexpr int ShipOptionCount = 51;

// Frame record of the frame table (48 bytes stored; kept raw so that the
// fillers come back as read).
struct frame_rec {
    std::array<uint8_t, 48> Raw{};
    Extended FrameNo = 0;   // offset 0
    Extended PosMM = 0;     // offset 16, x in millimetres from the AP
    Extended Third = 0;     // offset 32, not read by the program
};

// Outline object of a ship view. Only the 160-byte head is stored; the head is
// kept raw (its drawing attributes belong to the views) and the named fields
// are decoded from it.
struct object_rec {
    std::array<uint8_t, 160> Head{};
    ShortString<40> ObjName;   // 0
    float ObjOrder = 0;        // 84
    int32_t ObjGroup = -1;     // 92
    int32_t ObjItem = -1;      // 96
    int32_t ObjLink = -1;      // 100
    uint8_t ObjClosed = 0;     // 104
    int32_t ObjColor = 0;      // 108
    int32_t PointCount = 0;    // 116
    TPolygon2D Outline;
};

// Read-out point of the strength table (48 bytes).
struct readout_rec {
    std::array<uint8_t, 48> Raw{};
    Extended Frame = 0;   // 0, may be fractional
    Extended PosMM = 0;   // 16
    Extended Unused = 0;  // 32
    int32_t Side = 0;     // 44: 0 start of the interval at this frame, -1 end of the one before
};

// Allowable curve segment (168 bytes).
struct allowseg_rec {
    std::array<uint8_t, 168> Raw{};
    Extended AftX = 0;      // 0
    Extended ForeX = 0;     // 10
    Extended Pos1Aft = 0;   // 56: SF/BM positive limit; TM magnitude of the negative limit
    Extended Pos1Fore = 0;  // 66
    Extended Pos2Aft = 0;   // 112: SF/BM magnitude of the negative limit; TM positive limit
    Extended Pos2Fore = 0;  // 122
};

struct allow_rec {
    std::array<uint8_t, 72> Head{};
    Extended maxwgt = 0;  // 0
    Extended maxsf = 0;   // 16
    Extended maxbm = 0;   // 32
    Extended maxtm = 0;   // 48
    int32_t sfcount = 0;  // 60
    int32_t bmcount = 0;  // 64
    int32_t tmcount = 0;  // 68
    std::vector<allowseg_rec> sfsegs, bmsegs, tmsegs;
};

struct classallow_rec {
    std::vector<readout_rec> readouts;
    std::array<allow_rec, 2> intact;   // 0 SEA, 1 PORT
    std::array<allow_rec, 2> flooded;  // the same with a flooded hold
};

// Cargo hold mass curve point (64 bytes): draft at 0, mass at 32.
struct masspoint_rec {
    std::array<uint8_t, 64> Raw{};
    Extended Draft = 0;
    Extended Second = 0;  // 16, not read
    Extended Mass = 0;    // 32
    Extended Fourth = 0;  // 48, not read
};

struct massminmaxinfo_rec {
    std::vector<masspoint_rec> MaxCurve;
    std::vector<masspoint_rec> MinCurve;
};

struct cargomass_rec {
    std::array<massminmaxinfo_rec, 2> OneHold;   // 0 SEA, 1 PORT
    std::array<massminmaxinfo_rec, 2> TwoHolds;  // this hold with the next one
};

// The twelve ship tables (slot 11 is never stored) and the hold mass curves.
enum ShipTableSlot {
    KNTableSlot = 0,
    HydroTableSlot = 1,
    HeightAreaTableSlot = 2,
    StrengthTableSlot = 3,
    FloodAngleTableSlot = 4,
    LoadLineTableSlot = 5,
    GrainTableSlot = 6,
    GMLimitTableSlot = 7,
    GMLimitDamTableSlot = 8,
    WindTableSlot = 9,
    ImmersionTableSlot = 10,
    ShipTableSlots = 12,
    StoredShipTables = 11,
};

struct shiptable_rec {
    std::array<xyztable_rec, ShipTableSlots> Tables;
    std::vector<cargomass_rec> CargoMassList;

    xyztable_rec& KNTable() { return Tables[KNTableSlot]; }
    const xyztable_rec& KNTable() const { return Tables[KNTableSlot]; }
    xyztable_rec& HydroTable() { return Tables[HydroTableSlot]; }
    const xyztable_rec& HydroTable() const { return Tables[HydroTableSlot]; }
    const xyztable_rec& HeightAreaTable() const { return Tables[HeightAreaTableSlot]; }
    const xyztable_rec& StrengthTable() const { return Tables[StrengthTableSlot]; }
    const xyztable_rec& FloodAngleTable() const { return Tables[FloodAngleTableSlot]; }
    const xyztable_rec& LoadLineTable() const { return Tables[LoadLineTableSlot]; }
    const xyztable_rec& GrainTable() const { return Tables[GrainTableSlot]; }
    const xyztable_rec& GMLimitTable() const { return Tables[GMLimitTableSlot]; }
    const xyztable_rec& GMLimitDamTable() const { return Tables[GMLimitDamTableSlot]; }
    const xyztable_rec& WindTable() const { return Tables[WindTableSlot]; }
    const xyztable_rec& ImmersionTable() const { return Tables[ImmersionTableSlot]; }
};

struct shipoption_rec {
    uint8_t Enabled = 0;
    ShortString<50> Text;
};

// Offsets of the fixed blocks (bytes 0..719 of the record, stored as they are).
struct shipinfo_rec {
    std::array<uint8_t, 720> Fixed{};  // raw image of blocks A to F

    std::array<int32_t, LoadGroupCount> GroupCount{};  // 12
    int32_t TrimSign = 1;                              // 124
    int32_t HeelSign = 1;                              // 132
    int32_t LongRefMidship = 0;                        // 140
    int32_t LongSign = 1;                              // 148
    int32_t TransSign = 1;                             // 156
    // 160: after, midship, forward mark; each distance, alternative distance, switch draft.
    std::array<std::array<double, 3>, 3> DraftMarks{};
    int32_t PropImmMethod = 0;     // 232
    Extended PropDiameter = 0;     // 240
    Extended PropShaftHeight = 0;  // 256
    Extended PropX = 0;            // 272
    std::array<TPoint2D, 2> VisibilityPoints{};  // 288: (x, z) pairs
    Extended BilgeKeelArea = 0;    // 320
    Extended CrossCurveKG = 0;     // 336
    Extended MarkDraftOffset = 0;  // 352
    ShortString<50> ShipName;      // 368
    ShortString<50> HullNo;        // 419
    ShortString<25> DataStatus;    // 470
    Extended LOA = 0;                 // 496
    Extended LBP = 0;                 // 512
    Extended Breadth = 0;             // 528
    Extended Depth = 0;               // 544
    Extended DesignDisplacement = 0;  // 560
    Extended DesignDeadweight = 0;    // 576
    Extended GrossTonnage = 0;        // 592
    Extended NetTonnage = 0;          // 608
    Extended LightWeight = 0;         // 624
    Extended LightLCG = 0;            // 640
    Extended LightTCG = 0;            // 656
    Extended LightVCG = 0;            // 672
    Extended AftEndX = 0;             // 688
    Extended ForeEndX = 0;            // 704

    std::vector<frame_rec> FrameList;
    classallow_rec ClassAllow;
    std::vector<object_rec> ProfileObjects;
    std::vector<object_rec> PlanObjects;
    std::vector<object_rec> SectionObjects;
    shiptable_rec ShipTables;
    std::array<shipoption_rec, ShipOptionCount> Options{};

    bool OptionOn(int index) const {
        return index >= 0 && index < ShipOptionCount && Options[size_t(index)].Enabled != 0;
    }
    std::string OptionText(int index) const {
        return index >= 0 && index < ShipOptionCount ? Options[size_t(index)].Text.str() : std::string();
    }
};

}  // namespace kv
