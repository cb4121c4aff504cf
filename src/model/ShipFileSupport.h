// Small helpers shared by the readers and writers of the three ship data files
// (.LSI, .TGP, .CNT).
#pragma once

#include <cstdint>
#include <string>

#include "model/BinaryStream.h"
#include "numerics/Table.h"

namespace kv {

// The name of a ship data file: the folder and the base name of fileName (the
// name up to where its extension starts, if it has one) followed by ext.
// "Project/R549.LSI" with ".TGP" gives "Project/R549.TGP"; "Project/R549"
// gives "Project/R549.TGP"; a dot inside a folder name is not an extension.
inline std::string ShipDataFileName(const std::string& fileName, const std::string& ext) {
    size_t slash = fileName.find_last_of('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return fileName + ext;
    return fileName.substr(0, dot) + ext;
}

// The count to write in front of records whose stored count was read as
// `stored`: the stored value itself when it still describes the records held
// (a stored count of 0 or less reads no records, so it is kept as it was for
// an empty array), otherwise the number of records held. A file written back
// unchanged keeps its bytes, and a changed array never leaves a count that
// disagrees with the records behind it.
inline int32_t StoredCount(int32_t stored, size_t held) {
    if (held == 0 && stored <= 0) return stored;
    if (stored > 0 && size_t(stored) == held) return stored;
    return int32_t(held);
}

// Reads one stored table, first refusing counts that would make the table's
// in-memory arrays far larger than the file: with no columns or no layers a
// table stores no values, so its row count is bounded by nothing else. The
// heading and value arrays, (layers + 1) x (columns + 1) x (rows + 1) values,
// may take at most one value per byte left plus 65536 (a sound table of rows
// x columns x layers values stores 10 bytes for each). A refused table throws
// the read-beyond-end IoError like any damaged count.
xyztable_rec ReadShipFileTable(BinReader& r);

}  // namespace kv
