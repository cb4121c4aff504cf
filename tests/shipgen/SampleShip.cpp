#include "SampleShip.h"

#include <stdexcept>

#include "calc/CycleInputs.h"
#include "calc/Flooding.h"
#include "calc/TankContents.h"
#include "model/ConditionFile.h"
#include "shipgen/ConditionCompiler.h"

namespace kvtest {

const kv::shipgen::ShipDataSet& R549Data() {
    static const kv::shipgen::ShipDataSet d =
        kv::shipgen::BuildShipDataSet(std::string(KORVANEL_SOURCE_DIR) + "/ships/R549");
    return d;
}

kv::KvState OpenedSample(const kv::shipgen::SampleCondition& c) {
    kv::KvState s = kv::shipgen::ConditionState(R549Data());
    kv::BinReader r(c.bytes, c.fileName);
    kv::AdoptCondition(s, kv::DecodeConditionFile(s, r));
    kv::UpdateAllTankItems(s);
    kv::UpdateContainerItems(s);
    kv::BuildBaleSummary(s, s.CalcData.Summaries[1]);
    kv::RebuildActiveHoldCompartments(s);
    return s;
}

const kv::shipgen::SampleCondition& SampleNamed(const std::string& name) {
    for (const kv::shipgen::SampleCondition& c : R549Data().conditions)
        if (c.fileName.find(name) != std::string::npos) return c;
    throw std::runtime_error("no sample condition " + name);
}

}  // namespace kvtest
