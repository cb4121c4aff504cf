// The containers of the loading condition: record handling, the stored image
// of a container, and the per-bay summaries that feed the weight summary.
#pragma once

#include <array>
#include <vector>

#include "model/LoadData.h"

namespace kv {

// Clears every field: strings empty, numbers zero, no bundle or DG list.
void InitContainer(container_rec& c);
// Copies all plain fields; the target's lists become deep copies of the
// source's lists (absent when the source has none).
void CopyContainer(container_rec& target, const container_rec& source);

// The 432-byte stored image (without the two lists).
container_rec DecodeContainer(const uint8_t* image);
void EncodeContainer(const container_rec& c, uint8_t* image);
bundle_rec DecodeBundle(const uint8_t* image);
void EncodeBundle(const bundle_rec& b, uint8_t* image);
dgitem_rec DecodeDgItem(const uint8_t* image);
void EncodeDgItem(const dgitem_rec& d, uint8_t* image);

// Container summary: per bay, three length classes (20, other, 40), two
// sections (ON DECK, IN HOLD), eight categories (0 all, 3 reefer, 4 high;
// the others are kept zero).
enum ContLengthClass { Class20 = 0, ClassOther = 1, Class40 = 2 };
enum ContCategory { CatAll = 0, CatReefer = 3, CatHigh = 4 };

struct contcount_rec {
    int32_t count = 0;
    Extended weight = 0;
};
using contbaysum_rec = std::array<std::array<std::array<contcount_rec, 8>, 2>, 3>;

struct contsummary_rec {
    std::vector<contbaysum_rec> Bays;  // one per bay
    contbaysum_rec Total{};            // filled by the calculation cycle
};

// The bay's item of the container weight summary.
struct contweight_rec {
    Extended Weight = 0;
    Extended LMom = 0, TMom = 0, VMom = 0;
    Extended LCG = 0, TCG = 0, VCG = 0;
    Extended FSM = 0;  // always 0 for containers
};

}  // namespace kv
