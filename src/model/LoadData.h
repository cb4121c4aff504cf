// The loading condition: tank and constant items, bale cargo, containers by
// bay, tween deck panels, and the code records that travel with it (cargo
// codes, deadweight constant sets, port codes).
//
// Every record that has a fixed stored image keeps that image in Raw as it was
// read. The named fields are authoritative; when the record is written, the
// named fields are put over Raw, so filler bytes come back exactly as read
// (and as zero for records made by the program).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/BinaryStream.h"

namespace kv {

// ---- tank and constant items (groups 1 to 8) -----------------------------

constexpr size_t LoadInfoSize = 136;

// Free-surface (or grain heeling) moment mode.
enum MomentModes { MomentActual = 0, MomentMaximum = 1, MomentZero = 2 };
// Cargo types of group 1.
enum CargoTypes { CargoBale = 0, CargoBulk = 1, CargoTGrain = 2, CargoUGrain = 3, CargoEBallast = 4 };

struct loadinfo_rec {
    int32_t MomentMode = 0;   // 0
    int32_t CargoType = 0;    // 4
    Extended Volume = 0;      // 8
    Extended Spare24 = 0;     // 24: 0.3 after New; carried, not used
    Extended Density = 0;     // 40
    Extended Weight = 0;      // 56
    Extended LCG = 0;         // 72
    Extended VCG = 0;         // 88
    Extended TCG = 0;         // 104
    Extended FSMValue = 0;    // 120
    std::array<uint8_t, LoadInfoSize> Raw{};
};
using ploadinfo_rec = std::vector<loadinfo_rec>;

struct load_rec {
    ploadinfo_rec Items;  // one per item of the group
};

loadinfo_rec DecodeLoadInfo(const uint8_t* image);
void EncodeLoadInfo(const loadinfo_rec& r, uint8_t* image);

// ---- bale cargo -----------------------------------------------------------

constexpr size_t BaleCargoSize = 208;

// Stowage levels of a bale cargo item.
enum BaleLevels { BaleOnDeck = 0, BaleInHold = 1, Bale1stTD = 10, Bale2ndTD = 11, BaleBottom = 12 };

struct balecargo_rec {
    ShortString<10> CargoCode;   // 0
    int32_t AboveIndex = -1;     // 12
    int32_t BelowIndex = -1;     // 16: written, not read by any procedure
    Extended Weight = 0;         // 24
    double PosX = 0;             // 40
    double PosY = 0;             // 48
    double BaseZ = 0;            // 56
    Extended LCG = 0;            // 64
    Extended TCG = 0;            // 80
    Extended VCG = 0;            // 96
    Extended AftX = 0;           // 112
    Extended ForeX = 0;          // 128
    Extended SideY1 = 0;         // 144
    Extended SideY2 = 0;         // 160
    int32_t Where = 0;           // 172
    std::array<std::array<int32_t, 2>, 4> Corners{};  // 176: (x, y) in cm
    std::array<uint8_t, BaleCargoSize> Raw{};
};

balecargo_rec DecodeBaleCargo(const uint8_t* image);
void EncodeBaleCargo(const balecargo_rec& r, uint8_t* image);

// ---- containers (the model and its procedures are in containers/) ---------

constexpr size_t ContainerStoredSize = 432;
constexpr size_t BundleSize = 16;
constexpr size_t DgItemSize = 88;
constexpr int PortSlots = 11;

struct bundle_rec {
    float weight = 0;               // 0, t
    ShortString<11> container_id;   // 4
};

struct dgitem_rec {
    float weight = 0;               // 0, t
    ShortString<4> dg_class;        // 4, e.g. "2.1"
    ShortString<4> un_no;           // 9
    ShortString<70> remark;         // 14
    std::array<uint8_t, DgItemSize> Raw{};
};

struct container_rec {
    ShortString<7> position;        // 0
    ShortString<11> container_id;   // 8
    ShortString<7> iso_code;        // 20
    float weight = 0;               // 28
    std::array<ShortString<5>, PortSlots> ports{};  // 32, 6 bytes each
    ShortString<5> carrier;         // 98
    int32_t section = 0;            // 104
    int32_t empty = 0;              // 108
    std::array<int32_t, 2> reserved{};  // 112
    int32_t remark_kind = 0;        // 120
    ShortString<20> remark;         // 124
    Extended lcg = 0;               // 152
    Extended tcg = 0;               // 168
    Extended vcg = 0;               // 184
    Extended aft_x = 0;             // 200
    Extended fwd_x = 0;             // 216
    Extended port_y = 0;            // 232
    Extended stbd_y = 0;            // 248
    Extended top_z = 0;             // 264
    Extended bottom_z = 0;          // 280
    uint8_t reefer = 0;             // 296
    Extended temperature = 0;       // 304
    Extended temp_min = 0;          // 320
    Extended temp_max = 0;          // 336
    uint8_t oog = 0;                // 352
    Extended dim_length = 0;        // 360
    Extended dim_width = 0;         // 376
    Extended dim_height = 0;        // 392
    int32_t over_front = 0;         // 404, cm
    int32_t over_back = 0;          // 408
    int32_t over_right = 0;         // 412
    int32_t over_left = 0;          // 416
    int32_t over_top = 0;           // 420
    ShortString<7> reference;       // 424
    std::optional<std::vector<bundle_rec>> bundles;   // absent or a list
    std::optional<std::vector<dgitem_rec>> dg_items;  // absent or a list
    std::array<uint8_t, ContainerStoredSize> Raw{};
};

// Port slots of container_rec::ports.
enum PortIndex {
    PortOfLoading = 0, PortOfDischarge = 1, PlaceOfDelivery = 2, OptionalPod1 = 3,
    TranshipmentPort = 8, OriginalPol = 9, NextPod = 10,
};

// ---- tween deck panels ----------------------------------------------------

constexpr size_t PanelHeadSize = 72;
constexpr size_t PanelStoredSize = 166;

struct panel_rec {
    int32_t panel_type = 0;   // 0: 1 "PANEL B", 2 "PANEL A", 3 "PANEL C"
    Extended size_x = 0;      // 8
    Extended size_y = 0;      // 24
    Extended size_z = 0;      // 40
    Extended weight = 0;      // 56
    int32_t position = 0;     // 72
    Extended lcg = 0;         // 80
    Extended tcg = 0;         // 96
    Extended vcg = 0;         // 112
    Extended aft_x = 0;       // 128
    Extended fwd_x = 0;       // 144
    Extended top_z = 0;       // 160
    Extended bottom_z = 0;    // 176
    Extended port_y = 0;      // 192
    Extended stbd_y = 0;      // 208
    std::array<uint8_t, PanelHeadSize> Head{};  // bytes 0..71 as read (fillers)
};

// ---- the condition --------------------------------------------------------

constexpr size_t LoadDataHeadSize = 744;
constexpr int LoadedGroupFirst = 1;
constexpr int LoadedGroupLast = 8;

struct loaddata_rec {
    ShortString<23> CondTitle;      // 0
    Extended SeaDensity = 0;        // 24
    int32_t Spare36 = 0;            // 36: cleared by New; carried, not used
    int32_t VoyageCond = 0;         // 40: 0 SEAGOING, 1 HARBOUR
    int32_t CGMode = 0;             // 44: 0 automatic, 1 manual
    ShortString<50> VoyageNo;       // 48
    ShortString<150> VoyageDesc;    // 99
    ShortString<50> VoyageDate;     // 250
    ShortString<50> VoyageFrom;     // 301
    ShortString<50> VoyageTo;       // 352
    ShortString<50> VoyageBy;       // 403
    ShortString<255> VoyageRemark;  // 454
    Extended TrimCorr = 0;          // 712
    Extended HeelCorr = 0;          // 728
    std::array<uint8_t, LoadDataHeadSize> Raw{};

    std::array<load_rec, 9> Loads;              // [1..8] used; [0] stays empty
    std::vector<balecargo_rec> BaleList;
    std::vector<std::vector<container_rec>> BayLists;  // one list per bay
    std::vector<int32_t> CompCodes;             // group 0 count; [0] tween deck arrangement type
};

void DecodeLoadDataHead(const uint8_t* image, loaddata_rec& r);
void EncodeLoadDataHead(const loaddata_rec& r, uint8_t* image);

// ---- code records ---------------------------------------------------------

constexpr size_t CargoCodeSize = 408;

struct cargocode_rec {
    ShortString<10> Code;         // 0, the key
    ShortString<30> CodeName;     // 11
    Extended Length = 0;          // 48
    Extended Width = 0;           // 64
    Extended Height = 0;          // 80
    Extended CodeLCG = 0;         // 96
    Extended CodeTCG = 0;         // 112
    Extended CodeVCG = 0;         // 128
    int32_t TextColor = 0;        // 140
    int32_t Color = 0;            // 144
    ShortString<255> CodeRemark;  // 148
    std::array<uint8_t, CargoCodeSize> Raw{};
};

cargocode_rec DecodeCargoCode(const uint8_t* image);
void EncodeCargoCode(const cargocode_rec& r, uint8_t* image);

// A named set of deadweight constants; the first set of the list is always
// "USER INPUT", which mirrors the condition's group 8 items.
constexpr const char* UserInputSetName = "USER INPUT";

struct dwcinfo_rec {
    ShortString<10> DwcName;
    ShortString<255> DwcRemark;
    ploadinfo_rec DwcLoads;  // one per group 8 item
};

// One entry of the voyage port code list ("Container.code").
constexpr size_t PortCodeSize = 328;

struct portcode_rec {
    ShortString<5> code;            // 0, the key
    ShortString<3> abbreviation;    // 6
    ShortString<50> name;           // 10
    ShortString<255> remark;        // 61
    int32_t font_colour = 0;        // 320
    int32_t back_colour = 0;        // 324
    std::array<uint8_t, PortCodeSize> Raw{};
};

portcode_rec DecodePortCode(const uint8_t* image);
void EncodePortCode(const portcode_rec& r, uint8_t* image);

}  // namespace kv
