// The ship data file R549.LSI: particulars, sign conventions, frames, outline
// objects, allowable strength, the ship tables, the hold mass curves and the
// ship options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/BinaryStream.h"
#include "model/ShipInfo.h"

namespace kv {

// Stored sizes of the records of the file. The readers bound every count by
// the bytes left in the file with these sizes, so that a damaged count never
// allocates more than the file could hold.
constexpr size_t ShipFixedBytes = 720;      // blocks A to F
constexpr size_t FrameRecBytes = 48;
constexpr size_t ObjectHeadBytes = 160;
constexpr size_t OutlinePointBytes = 16;    // x, y as two Double
constexpr size_t ReadoutRecBytes = 48;
constexpr size_t AllowHeadBytes = 72;
constexpr size_t AllowSegBytes = 168;
constexpr size_t MassPointBytes = 64;
constexpr size_t MassCurveCountsBytes = 8 * 4;  // the least a hold entry takes: eight empty curves
constexpr size_t ShipOptionBytes = 52;

// Reads folder + base name of fileName + ".LSI" into ship. Returns false and
// leaves ship unchanged when that file does not exist. A short or damaged
// file throws IoError naming the file; ship is then unchanged as well.
bool ReadShipInfoFile(const std::string& fileName, shipinfo_rec& ship);
// Writes ship to folder + base name of fileName + ".LSI" (through a temporary
// file, so that a failed write leaves the old file in place).
void WriteShipInfoFile(const std::string& fileName, const shipinfo_rec& ship);

// The file image in memory. DecodeShipInfo replaces every part of ship that
// the file holds (lists cleared first; table slot 11 left empty).
void DecodeShipInfo(BinReader& r, shipinfo_rec& ship);
std::vector<uint8_t> EncodeShipInfo(const shipinfo_rec& ship);

// Single records, shared with the tests and with tools that build ship data.
// Each Decode takes the raw image held in the record and fills the named
// fields; each Encode starts from the raw image and puts the named fields
// back, so unnamed bytes survive.
void DecodeShipFixed(shipinfo_rec& ship);
std::array<uint8_t, ShipFixedBytes> EncodeShipFixed(const shipinfo_rec& ship);
void DecodeFrame(frame_rec& f);
std::array<uint8_t, FrameRecBytes> EncodeFrame(const frame_rec& f);
void DecodeObjectHead(object_rec& o);
std::array<uint8_t, ObjectHeadBytes> EncodeObjectHead(const object_rec& o);
void DecodeReadout(readout_rec& r);
std::array<uint8_t, ReadoutRecBytes> EncodeReadout(const readout_rec& r);
void DecodeAllowHead(allow_rec& a);
std::array<uint8_t, AllowHeadBytes> EncodeAllowHead(const allow_rec& a);
void DecodeAllowSeg(allowseg_rec& s);
std::array<uint8_t, AllowSegBytes> EncodeAllowSeg(const allowseg_rec& s);
void DecodeMassPoint(masspoint_rec& p);
std::array<uint8_t, MassPointBytes> EncodeMassPoint(const masspoint_rec& p);

}  // namespace kv
