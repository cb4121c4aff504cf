#include "model/ContainerGeometryFile.h"

#include <limits>

#include "model/ShipFileSupport.h"

namespace kv {

namespace {

size_t NonNeg(int32_t n) { return n > 0 ? size_t(n) : 0; }

void ReadCell(BinReader& r, cell_rec& c) {
    c.state = r.Int32();
    r.Bytes(c.pad.data(), c.pad.size());
    c.x = r.Double();
    c.y = r.Double();
    c.z = r.Double();
    c.mark = r.Byte();
    r.Bytes(c.spare.data(), c.spare.size());
    // Occupancy is never taken from the geometry file; the loading
    // condition's containers set it again.
    if (c.state == 2) c.state = 1;
}

void WriteCell(BinWriter& w, const cell_rec& c) {
    w.Int32(c.state);
    w.Block(c.pad);
    w.Double(c.x);
    w.Double(c.y);
    w.Double(c.z);
    w.Byte(c.mark);
    w.Block(c.spare);
}

void ReadSection(BinReader& r, cellinfo_rec& sec, size_t rows, size_t tiers) {
    sec.row_names.resize(rows);
    for (auto& n : sec.row_names) n = r.Short<5>();
    sec.tier_names.resize(tiers);
    for (auto& n : sec.tier_names) n = r.Short<5>();
    sec.row_max_weight.resize(rows);
    for (float& v : sec.row_max_weight) v = r.Single();
    sec.row_value.resize(rows);
    for (int32_t& v : sec.row_value) v = r.Int32();
    sec.cells.assign(rows, std::vector<cell_rec>(tiers));
    for (auto& row : sec.cells)
        for (cell_rec& c : row) ReadCell(r, c);
}

// Writes exactly rows x tiers of everything, as the header promises; entries
// missing from the arrays are written as zeros so the file stays readable.
void WriteSection(BinWriter& w, const cellinfo_rec& sec, size_t rows, size_t tiers) {
    for (size_t i = 0; i < rows; ++i) w.Short(i < sec.row_names.size() ? sec.row_names[i] : ShortString<5>());
    for (size_t i = 0; i < tiers; ++i) w.Short(i < sec.tier_names.size() ? sec.tier_names[i] : ShortString<5>());
    for (size_t i = 0; i < rows; ++i) w.Single(i < sec.row_max_weight.size() ? sec.row_max_weight[i] : 0.0f);
    for (size_t i = 0; i < rows; ++i) w.Int32(i < sec.row_value.size() ? sec.row_value[i] : 0);
    const cell_rec empty;
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < tiers; ++j) {
            bool held = i < sec.cells.size() && j < sec.cells[i].size();
            WriteCell(w, held ? sec.cells[i][j] : empty);
        }
}

}  // namespace

uint64_t BayBlockBytes(const std::array<int32_t, 2>& rows, const std::array<int32_t, 2>& tiers) {
    unsigned __int128 bytes = BayHeadBytes;
    for (size_t s = 0; s < 2; ++s) {
        unsigned __int128 r = NonNeg(rows[s]), t = NonNeg(tiers[s]);
        bytes += 6 * r + 6 * t + 8 * r + CellRecBytes * r * t;
    }
    constexpr uint64_t most = std::numeric_limits<uint64_t>::max();
    return bytes > most ? most : uint64_t(bytes);
}

// Bounds: the port count is checked with 107 bytes a port, the IMDG count
// with 2832 bytes an entry, and the bay count with the exact size of a bay
// block for the header's row and tier counts, all before anything is
// allocated. Negative counts read no records and are kept as stored.
void DecodeContainerGeometry(BinReader& r, continfo_rec& geo) {
    geo = continfo_rec();
    geo.bay_count = r.Int32();
    geo.row_count[0] = r.Int32();
    geo.row_count[1] = r.Int32();
    geo.tier_count[0] = r.Int32();
    geo.tier_count[1] = r.Int32();

    int32_t nPorts = r.Count(PortRecBytes);
    geo.port_list.resize(size_t(nPorts));
    for (port_rec& p : geo.port_list) {
        p.code = r.Short<5>();
        p.name = r.Short<100>();
    }

    int32_t nImdg = r.Count(ImdgEntrySize);
    geo.imdg_list.resize(size_t(nImdg));
    for (imdg_rec& e : geo.imdg_list) r.Bytes(e.Raw.data(), ImdgEntrySize);

    const size_t nBays = NonNeg(geo.bay_count);
    if (nBays > 0) {
        uint64_t block = BayBlockBytes(geo.row_count, geo.tier_count);
        if (block > r.remaining() || nBays > r.remaining() / block) r.ThrowBeyondEnd();
    }
    geo.bays.resize(nBays);
    for (baycell_rec& bay : geo.bays) {
        bay.bay_name = r.Short<5>();
        bay.bay_kind = r.Int32();
        for (size_t s = 0; s < 2; ++s)
            ReadSection(r, bay.sections[s], NonNeg(geo.row_count[s]), NonNeg(geo.tier_count[s]));
    }
}

std::vector<uint8_t> EncodeContainerGeometry(const continfo_rec& geo) {
    BinWriter w;
    w.Int32(StoredCount(geo.bay_count, geo.bays.size()));
    w.Int32(geo.row_count[0]);
    w.Int32(geo.row_count[1]);
    w.Int32(geo.tier_count[0]);
    w.Int32(geo.tier_count[1]);

    w.Int32(int32_t(geo.port_list.size()));
    for (const port_rec& p : geo.port_list) {
        w.Short(p.code);
        w.Short(p.name);
    }
    w.Int32(int32_t(geo.imdg_list.size()));
    for (const imdg_rec& e : geo.imdg_list) w.Block(e.Raw);

    for (const baycell_rec& bay : geo.bays) {
        w.Short(bay.bay_name);
        w.Int32(bay.bay_kind);
        for (size_t s = 0; s < 2; ++s)
            WriteSection(w, bay.sections[s], NonNeg(geo.row_count[s]), NonNeg(geo.tier_count[s]));
    }
    return w.data();
}

bool ReadContainerGeometry(const std::string& fileName, continfo_rec& geo) {
    const std::string path = ShipDataFileName(fileName, ".CNT");
    if (!FileExists(path)) return false;
    BinReader r = BinReader::FromFile(path);
    continfo_rec g;
    DecodeContainerGeometry(r, g);
    geo = std::move(g);
    return true;
}

void WriteContainerGeometry(const std::string& fileName, const continfo_rec& geo) {
    WriteFileAtomically(ShipDataFileName(fileName, ".CNT"), EncodeContainerGeometry(geo));
}

}  // namespace kv
