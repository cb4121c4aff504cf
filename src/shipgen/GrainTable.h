// The allowable grain heeling moment (ship table slot 6): for each trim and
// displacement of the hydrostatic table and each KGo of the table's columns,
// the largest heeling moment at which the International Grain Code criteria
// are met, judged with the program's own righting-lever curve and grain
// criteria.
#pragma once

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "model/ShipInfo.h"

namespace kv {
struct KvState;
}

namespace kv::shipgen {

// Criteria constants of the Grain Code.
constexpr double kGrainMinGoM = 0.3;          // m
constexpr double kGrainMaxStaticAngle = 12.0; // degrees
constexpr double kGrainMinResidual = 0.075;   // m-rad

// The righting-lever curve of the ship at one upright point (displacement,
// trim, draft, KMT) and a KGo, and the grain criteria on it.
class GrainCriteriaProbe {
public:
    explicit GrainCriteriaProbe(const shipinfo_rec& ship);
    ~GrainCriteriaProbe();

    void SetPoint(double disp, double trim, double draft, double kmt);
    // Builds the curve at KGo (no free-surface correction, upright).
    void SetKG(double kgo);

    // The static angle allowed: 12 degrees, or the deck-edge immersion angle
    // when the ship's deck-edge option (18) is on and that angle is smaller.
    double AngleLimit() const { return angleLimit_; }
    double StaticAngle(double moment) const;
    double ResidualArea(double moment) const;
    // Both criteria met at the heeling moment (t-m), and the GoM criterion.
    bool Passes(double moment) const;
    // The largest moment that passes, rounded down to the tonne-metre (found
    // by bisection); 0 when GoM < 0.3 m or no positive moment passes.
    double MaxMoment() const;

private:
    std::unique_ptr<KvState> state_;
    double kmt_ = 0, kgo_ = 0, angleLimit_ = kGrainMaxStaticAngle;
};

// Columns "DISP" and one per KGo ("6.0", "6.5", ...), one layer per trim of
// the hydrostatic table (headed as its layers), one row per displacement of
// that table. Needs the cross-curve, hydrostatic and deck-immersion tables of
// ship. Empty without them or without KGo values.
xyztable_rec BuildGrainTable(const shipinfo_rec& ship, const std::vector<double>& kgColumns);

// The KGo columns of the table: "tableKG" of the "grain" object of
// compartments.json (ascending, at least two); none when it is not given.
std::vector<double> GrainTableKG(const nlohmann::json& compartments);

}  // namespace kv::shipgen
