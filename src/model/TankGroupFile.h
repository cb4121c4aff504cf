// The tank group file R549.TGP: the nine load groups with their tanks, each
// tank's fixed particulars and its twelve stored tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/BinaryStream.h"
#include "model/TankGroup.h"

namespace kv {

constexpr size_t TankFixedBytes = 536;
constexpr size_t TankTablesStored = 12;
constexpr size_t GroupHeadBytes = 4 + 4 + 51;  // TankCount, GroupIndex, GroupName
// The least a stored tank takes: its fixed part and twelve empty tables.
constexpr size_t TankMinBytes = TankFixedBytes + TankTablesStored * 67;

// Reads folder + base name of fileName + ".TGP" into groups. Returns false and
// leaves groups unchanged when that file does not exist. A short or damaged
// file throws IoError naming the file; groups is then unchanged as well.
bool ReadTankGroupFile(const std::string& fileName, tankgroup_rec& groups);
// Writes groups to folder + base name of fileName + ".TGP" (atomically).
void WriteTankGroupFile(const std::string& fileName, const tankgroup_rec& groups);

// The file image in memory. Each group's GroupIndex is set to its position and
// TankCount to the number of tanks read (a stored count of 0 or less reads none).
void DecodeTankGroups(BinReader& r, tankgroup_rec& groups);
std::vector<uint8_t> EncodeTankGroups(const tankgroup_rec& groups);

// The fixed part of one tank: named fields from and back into tank.Fixed.
void DecodeTankFixed(tank_rec& tank);
std::array<uint8_t, TankFixedBytes> EncodeTankFixed(const tank_rec& tank);

}  // namespace kv
