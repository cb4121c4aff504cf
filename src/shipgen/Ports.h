// The port list carried in the container stowage geometry: UN/LOCODE codes
// with their names, read from the ports file of a ship definition.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "model/ContInfo.h"

namespace kv::shipgen {

// ports.json: {"ports": [{"code": "DEHAM", "name": "Hamburg"}, ...]}, kept in
// the listed order. A code is five characters, a two-letter country and three
// letters or digits 2-9 (UN/LOCODE); codes are unique; names are 1 to 100
// characters. Throws std::runtime_error naming the offending entry.
std::vector<port_rec> BuildPortList(const nlohmann::json& portsJson);

}  // namespace kv::shipgen
