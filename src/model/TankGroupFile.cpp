#include "model/TankGroupFile.h"

#include "model/ShipFileSupport.h"

namespace kv {

namespace {

// The Extended particulars of a tank with their offsets in the fixed part.
template <class Tank>
auto TankExtFields(Tank& t) {
    using P = decltype(&t.TopZ);
    return std::array<std::pair<size_t, P>, 22>{{
        {56, &t.TopZ},           {72, &t.BottomZ},          {136, &t.AftEnd},          {152, &t.ForeEnd},
        {168, &t.TransY1},       {184, &t.TransY2},         {216, &t.MaxSeqWeight},    {232, &t.MaxPumpRate},
        {248, &t.MaxVolume},     {264, &t.MaxLevel},        {280, &t.MaxFSM},          {296, &t.DefaultSG},
        {312, &t.MaxGSM},        {328, &t.TrimmedVolume},   {344, &t.UntrimmedVolume}, {360, &t.FullGSM1},
        {376, &t.FullGSM2},      {392, &t.GrainVCG1},       {408, &t.GrainVCG2},       {488, &t.DBMaxVolume},
        {504, &t.SlackFactor},   {520, &t.FSMReduction},
    }};
}
constexpr size_t OffTankName = 4;
constexpr size_t OffSFFactors = 424;  // three packed Extended, 10 bytes apart

// Stored table slots 1..12 in file order, mapped onto the tank's tables:
// 1-7 the tank tables, 8-10 the spare tables, 11 OptTables[1], 12 OptTables[0]
// (the hold grain table).
template <class Tank>
auto StoredTableSlots(Tank& t) {
    return std::array{&t.TkTables[0], &t.TkTables[1], &t.TkTables[2], &t.TkTables[3],
                      &t.TkTables[4], &t.TkTables[5], &t.TkTables[6], &t.SpareTables[0],
                      &t.SpareTables[1], &t.SpareTables[2], &t.OptTables[1], &t.OptTables[0]};
}

}  // namespace

void DecodeTankFixed(tank_rec& t) {
    const uint8_t* b = t.Fixed.data();
    t.TankName = GetShort<50>(b, OffTankName);
    for (auto [off, field] : TankExtFields(t)) *field = GetExt(b, off);
    for (size_t i = 0; i < 3; ++i) t.SFFactors[i] = GetExt(b, OffSFFactors + 10 * i);
}

std::array<uint8_t, TankFixedBytes> EncodeTankFixed(const tank_rec& t) {
    auto out = t.Fixed;
    uint8_t* b = out.data();
    PutShort(b, OffTankName, t.TankName);
    for (auto [off, field] : TankExtFields(t)) PutExt(b, off, *field);
    for (size_t i = 0; i < 3; ++i) PutExt(b, OffSFFactors + 10 * i, t.SFFactors[i]);
    return out;
}

// Bounds: a group's tank count is checked against the bytes left with the
// least a tank takes (536 + 12 x 67 bytes) before the tanks are allocated;
// the tables bound themselves.
void DecodeTankGroups(BinReader& r, tankgroup_rec& groups) {
    for (size_t g = 0; g < groups.Groups.size(); ++g) {
        grinfo_rec& gr = groups.Groups[g];
        gr = grinfo_rec();
        int32_t stored = r.Int32();
        r.Int32();  // the stored group index; the position is the index
        gr.GroupIndex = int32_t(g);
        gr.GroupName = r.Short<50>();
        r.RequireRecords(stored, TankMinBytes);
        gr.TankCount = stored > 0 ? stored : 0;
        gr.Tanks.resize(size_t(gr.TankCount));
        for (tank_rec& t : gr.Tanks) {
            r.Bytes(t.Fixed.data(), TankFixedBytes);
            DecodeTankFixed(t);
            for (xyztable_rec* table : StoredTableSlots(t)) *table = ReadShipFileTable(r);
        }
    }
}

std::vector<uint8_t> EncodeTankGroups(const tankgroup_rec& groups) {
    BinWriter w;
    for (size_t g = 0; g < groups.Groups.size(); ++g) {
        const grinfo_rec& gr = groups.Groups[g];
        w.Int32(int32_t(gr.Tanks.size()));
        w.Int32(int32_t(g));
        w.Short(gr.GroupName);
        for (const tank_rec& t : gr.Tanks) {
            w.Block(EncodeTankFixed(t));
            for (const xyztable_rec* table : StoredTableSlots(t)) WriteStoredTable(w, *table);
        }
    }
    return w.data();
}

bool ReadTankGroupFile(const std::string& fileName, tankgroup_rec& groups) {
    const std::string path = ShipDataFileName(fileName, ".TGP");
    if (!FileExists(path)) return false;
    BinReader r = BinReader::FromFile(path);
    tankgroup_rec g;
    DecodeTankGroups(r, g);
    groups = std::move(g);
    return true;
}

void WriteTankGroupFile(const std::string& fileName, const tankgroup_rec& groups) {
    WriteFileAtomically(ShipDataFileName(fileName, ".TGP"), EncodeTankGroups(groups));
}

}  // namespace kv
