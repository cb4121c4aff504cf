// Wind areas and levers of the weather criterion: the lateral profile of the
// hull, the superstructure blocks and the deck container stacks, cut at the
// waterline. BuildWindTable (Builders.h) tabulates them by displacement, one
// layer per deck tier level.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <utility>
#include <vector>

#include "shipgen/ContainerLayout.h"
#include "shipgen/HullGeometry.h"

namespace kv::shipgen {

struct LateralArea {
    double area = 0;             // projected lateral area above the waterline, m2
    double centreZ = 0;          // height of its centre above base, m
    double underwaterArea = 0;   // lateral area below the waterline, m2
    double underwaterZ = 0;      // height of its centre above base, m
    double lever = 0;            // centreZ - underwaterZ
    double lwl = 0;              // length of the hull at the waterline, m
};

// The side profile as vertical strips, each with the union of the heights it
// covers. deckTierLevel is the level of the highest deck tier stowed (0 = the
// lowest deck tier), -1 for an empty deck; each deck bay carries boxes up to
// that level or up to its own highest tier.
class SideProfile {
public:
    SideProfile(const Hull& hull, const nlohmann::json& windJson, const std::vector<DeckStackProfile>& stacks,
                int deckTierLevel, double boxHeight);
    LateralArea At(double draft) const;

private:
    struct Strip {
        double width = 0;
        double hullLo = 0, hullHi = 0;  // hull extent; hullHi < hullLo when there is no hull
        std::vector<std::pair<double, double>> z;  // merged, ascending
    };
    std::vector<Strip> strips_;
};

}  // namespace kv::shipgen
