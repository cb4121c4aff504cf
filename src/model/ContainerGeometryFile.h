// The container stowage geometry file R549.CNT: bays, rows, tiers and slots,
// the ISO port database and the dangerous-goods database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/BinaryStream.h"
#include "model/ContInfo.h"

namespace kv {

constexpr size_t CntHeaderBytes = 20;
constexpr size_t PortRecBytes = 107;
constexpr size_t CellRecBytes = 48;
constexpr size_t BayHeadBytes = 6 + 4;  // bay_name, bay_kind

// Reads folder + base name of fileName + ".CNT" into geo. Returns false and
// leaves geo unchanged when that file does not exist. A short or damaged file
// throws IoError naming the file and leaves geo unchanged: a half-read
// stowage geometry is not safe to plan on. Slots stored as occupied (state 2)
// are read as free (1); occupancy comes from the loading condition.
bool ReadContainerGeometry(const std::string& fileName, continfo_rec& geo);
// Writes geo to folder + base name of fileName + ".CNT" (atomically; slot
// states as they stand).
void WriteContainerGeometry(const std::string& fileName, const continfo_rec& geo);

void DecodeContainerGeometry(BinReader& r, continfo_rec& geo);
std::vector<uint8_t> EncodeContainerGeometry(const continfo_rec& geo);

// Bytes one bay block takes for the given ship-wide counts (negative counts
// count as 0). Never overflows: saturates at UINT64_MAX.
uint64_t BayBlockBytes(const std::array<int32_t, 2>& rows, const std::array<int32_t, 2>& tiers);

}  // namespace kv
