// The sample ship R549 compiled once for every test of this suite, and its
// sample conditions opened as the program opens them.
#pragma once

#include <string>

#include "model/kvGlobal.h"
#include "shipgen/Compiler.h"

namespace kvtest {

// ships/R549 compiled in memory (once per test program).
const kv::shipgen::ShipDataSet& R549Data();

// The condition read from its compiled file into the ship's state, with the
// tanks, containers and bale items brought up to date and every hold
// compartment active; not yet calculated.
kv::KvState OpenedSample(const kv::shipgen::SampleCondition& c);

// The sample condition whose file name contains `name`; throws when none does.
const kv::shipgen::SampleCondition& SampleNamed(const std::string& name);

}  // namespace kvtest
