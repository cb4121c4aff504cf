// Floating position: the trim at which the centres of gravity and buoyancy lie
// on one normal to the waterline, the hydrostatic particulars at that trim,
// the drafts at the perpendiculars and the draft-mark readings.
#pragma once

#include <array>
#include <string>

#include "model/kvGlobal.h"

namespace kv {

// Searches the neighbouring trim layers of the hydrostatic table (in the
// order of their headings) for the pair that brackets the equilibrium: the
// feet of G on the two waterlines both lie within the span of the feet of
// the two centres of buoyancy. Between them the trim is interpolated
// linearly on the distance between the feet. Returns false (trim unchanged)
// when no pair brackets it, when the table has fewer than two layers or when
// lbp is not positive.
bool FindEquilibriumTrim(const xyztable_rec& hydro, Extended lbp, Extended displacement, Extended lcg,
                         Extended vcg, Extended& trim, TableLookupState& tables);

// Reads "DRAFT" (into DraftMean), "KMT", "LCB", "VCB", "LCF", "TPC" and "MTC"
// at the displacement (sea water 1.025) and trim, extrapolating beyond the
// table with the range flag set, and derives DraftAtLCF.
void ReadHydrostatics(const xyztable_rec& hydro, Extended lbp, calcdata_rec& result, Extended displacement,
                      Extended trim, TableLookupState& tables);

// Reading of one draft mark: ref + x * trim / lbp + offset, x being the
// mark's first position, or its second one when the change-over draft is
// positive and ref lies above it.
Extended MarkDraftReading(const std::array<double, 3>& mark, Extended referenceDraft, Extended trim, Extended lbp,
                          Extended offset);

// The floating-position step of the calculation cycle: trim, hydrostatic
// particulars, DraftAP, DraftMean, DraftFP and the three mark readings from
// CalcData's DisplacementSW, Displacement, LCG and VCG.
void FloatingPosition(KvState& state);
// The same for another result record (the flooded condition).
void FloatingPosition(KvState& state, calcdata_rec& record);

// The layer key the hydrostatic table is read with at a trim: the text of
// the trim on a table of several layers, the one heading otherwise.
std::string TrimLayerKey(const xyztable_rec& table, Extended trim);

}  // namespace kv
