// Sample loading conditions: text definitions under <ship>/conditions/ turned
// into condition files (".LCF") for the compiled ship, written to Save/.
//
// conditions/cargo_codes.json adds the cargo codes that bale cargo items use
// to "Cargo.code"; every other conditions/*.json is one condition (format in
// ships/CONDITIONS_FORMAT.md).
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "model/kvGlobal.h"
#include "shipgen/Compiler.h"

namespace kv::shipgen {

// A program state that holds the compiled ship with a new, empty condition,
// as the program has it after start-up.
KvState ConditionState(const ShipDataSet& data);

// Fills the condition of state (a new one) from one definition. Raises
// DefinitionError naming "where" and the entry at fault: an unknown tank or
// constant, a fill beyond the capacity, a container rule that selects no
// slot, a bale item outside the holds or on another item.
void BuildCondition(const nlohmann::json& definition, const std::string& where, KvState& state);

// Adds the cargo codes of conditions/cargo_codes.json to data.cargoCodes and
// compiles every other conditions/*.json, in file-name order. A definition
// without a conditions folder has no sample conditions.
std::vector<SampleCondition> BuildSampleConditions(const std::string& definitionDir, ShipDataSet& data);

// Writes the compiled conditions into outDir/Save/.
void WriteSampleConditions(const std::vector<SampleCondition>& conditions, const std::string& outDir);

}  // namespace kv::shipgen
