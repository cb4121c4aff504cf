// Grain stability by the International Grain Code criteria.
#pragma once

#include <array>
#include <string>

#include "model/kvGlobal.h"

namespace kv {

constexpr int OptionGrainStability = 1;  // ship option 1

// The criteria of the International Grain Code.
constexpr Extended GrainMinGoM = 0.3L;            // corrected GM, m
constexpr Extended GrainMaxStaticAngle = 12.0L;   // static angle of heel, degrees
constexpr Extended GrainMinResidualArea = 0.075L; // residual area, m-rad

// The four values of every group-1 compartment (CalcData.Grain.Compartments)
// from its loading, level and grain particulars.
void GrainCompartmentMoments(KvState& state);

// The allowable grain heeling moment for the key (KGo or GoM) from the grain
// table (ship table slot 6), by "DISP" or else by "DRAFT".
Extended AllowableHeelingMoment(KvState& state, Extended trim, Extended key, Extended displacement);

// The first crossing (whole-degree chords, 1..40) of the GZ curve with the
// heeling arm through (0, lambda0) and (40, lambda40) where the curve does
// not fall; 0 without one.
Extended GrainStaticAngle(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40);
// The residual area (m-rad) between the GZ curve and the heeling arm from
// the static angle to min(40, angleLimit).
Extended GrainResidualArea(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40, Extended staticAngle,
                           Extended angleLimit);

// The captions and width proportions of grdGrain.
const std::array<std::string, 6>& GrainGridHeader();
std::array<int, 6> GrainGridColumnWidths();

// Heeling moments, arms, allowable, static angle, residual area, the six
// grid rows (CalcData.Grain) and JudgementFlags[GrainOK].
void CalcGrain(KvState& state);

// grdGZ: "Angle", "KN", "GoZ" rows.
GridData FillGrainGZGrid(const KvState& state);

}  // namespace kv
