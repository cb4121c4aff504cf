// The ship definition folder (ships/<name>/): the JSON files a naval
// architect edits, loaded as they are, plus the small readers that turn the
// particulars of ship.json into the ship record.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ShipInfo.h"

namespace kv::shipgen {

// A definition that cannot be compiled: the message names the file and the
// entry at fault.
class DefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ShipDefinition {
    std::string Dir;
    nlohmann::json Ship, Hull, Compartments, Lightweight, Strength;
    nlohmann::json Containers, Wind, Views, Ports, DangerousGoods;
};

// Loads every file of the folder. Missing or malformed files raise a
// DefinitionError naming the file.
ShipDefinition LoadShipDefinition(const std::string& dir);
nlohmann::json LoadJsonFile(const std::string& path);

// Checked access: a missing key or a value of the wrong kind raises a
// DefinitionError with "where" (file and entry) in its message.
double Num(const nlohmann::json& j, const std::string& key, const std::string& where);
double NumOr(const nlohmann::json& j, const std::string& key, double fallback, const std::string& where);
int Int(const nlohmann::json& j, const std::string& key, const std::string& where);
std::string Text(const nlohmann::json& j, const std::string& key, const std::string& where);
const nlohmann::json& Member(const nlohmann::json& j, const std::string& key, const std::string& where);
const nlohmann::json& Array(const nlohmann::json& j, const std::string& key, const std::string& where);

// One frame of the frame table: number and x (m from the AP).
struct FramePos {
    double frame = 0;
    double x = 0;
};
// Frames from the "frames" object of ship.json: consecutive spacing runs
// {"from", "to", "spacing"} with frame 0 at x = "zeroX" (the AP). Every
// integer frame of the runs is listed; x ascends with the frame number.
std::vector<FramePos> BuildFrames(const nlohmann::json& frames);
// Linear over the frame table, extrapolating at both ends.
double FrameToX(const std::vector<FramePos>& frames, double frame);
double XToFrame(const std::vector<FramePos>& frames, double x);

// Fills the particulars, sign conventions, draft marks, propeller,
// visibility points, names, tonnage, frame table and options of the ship
// record from ship.json. Lightweight, design displacement, ends and the
// tables are filled by the compiler.
void FillParticulars(const nlohmann::json& ship, shipinfo_rec& info);

}  // namespace kv::shipgen
