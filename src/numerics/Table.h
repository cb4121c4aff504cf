// The generic ship table: up to three dimensions of Extended values addressed
// by text headings (layers, columns, rows; every index from 1, element 0 of
// each dimension exists and stays empty).
#pragma once

#include <array>
#include <vector>

#include "model/BinaryStream.h"

namespace kv {

using Heading = ShortString<50>;
using head_rec = std::vector<Heading>;                                   // [0] empty
using xyzdata_rec = std::vector<std::vector<std::vector<Extended>>>;    // [layer][column][row]

struct xyztable_rec {
    ShortString<50> Title;
    int32_t ColCount = 0;
    int32_t RowCount = 0;
    int32_t LayerCount = 0;
    int32_t SpareCount = 0;
    head_rec ColHeads;
    head_rec LayerHeads;
    xyzdata_rec Values;

    // Sizes headings and values for the given counts (negative counts count
    // as 0) and zero-fills them.
    void Resize(int32_t cols, int32_t rows, int32_t layers);
    bool Empty() const { return ColCount <= 0 || RowCount <= 0; }
};

// Stored form: Title (51), four Int32 counts, NC column headings (51 each),
// NL layer headings (51 each), then for each layer and column NR Extended
// values (10 bytes each, packed). Sizes are checked against the bytes left
// before anything is allocated.
xyztable_rec ReadStoredTable(BinReader& r);
void WriteStoredTable(BinWriter& w, const xyztable_rec& t);
// Bytes the stored form takes (67 for an empty table).
size_t StoredTableSize(const xyztable_rec& t);

}  // namespace kv
