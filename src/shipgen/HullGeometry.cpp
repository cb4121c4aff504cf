// Hull of a ship definition, built from its offsets.
//
// hull.json format (all lengths in metres; x from the aft perpendicular,
// positive forward; z above the moulded base line; half-breadths to the
// moulded surface, one side):
//
//   "hull": {
//     "lbp": 140.0, "breadth": 25.0, "depth": 13.8,
//     "waterlines": [0.0, 0.5, 1.0, ...],          // ascending
//     "stations": [                               // ascending x; the first is the
//       { "x": -5.2, "keel": 6.1, "deck": 14.3,   // aft end (transom), the last the
//         "keelHalfBreadth": 0.0,                 // fore end of the hull
//         "halfBreadths": [0, 0, ..., 9.8, 10.4] },
//       ...
//     ]
//   }
//
// - "keel" is the lowest point of the section, "deck" the deck at side; the
//   two may meet at an end station (the top of the stem).
// - "halfBreadths" has one value per waterline. Values of waterlines below the
//   keel are ignored (write 0 or null); give the first waterline at or above
//   the deck its true half-breadth (the side there is interpolated towards it).
// - "keelHalfBreadth" (optional) is the half-width of the flat of bottom at the
//   keel. Without it the keel is a point, unless the keel lies on a waterline,
//   whose half-breadth is then taken.
// - Between the deck and the waterline above it the side runs towards that
//   waterline's half-breadth; with no waterline at or above the deck the last
//   segment of the section (keel point included) carries on straight.
// - The deck closes the section straight across at the deck at side.
// - Between stations every half-breadth, the keel and the deck vary linearly
//   in x. The hull ends at the first and last station: a transom aft is a
//   first station with a section, a stem forward a last station of zeros.
//
// The whole hull.json may also be handed over; its "hull" object is used.
#include "shipgen/HullGeometry.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace kv::shipgen {

namespace {

double Num(const nlohmann::json& j, const char* key) {
    if (!j.contains(key) || !j.at(key).is_number())
        throw std::runtime_error(std::string("hull: missing number \"") + key + "\"");
    return j.at(key).get<double>();
}

// Upper bound on the spacing of the integration stations (m).
constexpr double kMaxStationSpacing = 2.0;

}  // namespace

Hull Hull::FromJson(const nlohmann::json& in) {
    const nlohmann::json& j = (in.contains("hull") && in.at("hull").is_object()) ? in.at("hull") : in;
    Hull h;
    h.lbp_ = Num(j, "lbp");
    h.breadth_ = Num(j, "breadth");
    h.depth_ = Num(j, "depth");
    if (!j.contains("waterlines") || !j.at("waterlines").is_array())
        throw std::runtime_error("hull: missing \"waterlines\"");
    for (const auto& z : j.at("waterlines")) h.waterlineZ_.push_back(z.get<double>());
    if (h.waterlineZ_.empty()) throw std::runtime_error("hull: no waterlines");
    for (size_t i = 1; i < h.waterlineZ_.size(); ++i)
        if (!(h.waterlineZ_[i] > h.waterlineZ_[i - 1]))
            throw std::runtime_error("hull: waterlines must ascend");

    if (!j.contains("stations") || !j.at("stations").is_array() || j.at("stations").size() < 2)
        throw std::runtime_error("hull: at least two stations are needed");
    for (const auto& st : j.at("stations")) {
        const double x = Num(st, "x");
        const double keel = Num(st, "keel");
        const double deck = Num(st, "deck");
        if (!(deck >= keel))
            throw std::runtime_error("hull: deck below keel at x = " + std::to_string(x));
        if (!h.stationX_.empty() && !(x > h.stationX_.back()))
            throw std::runtime_error("hull: stations must ascend in x");
        const auto& hbj = st.at("halfBreadths");
        if (!hbj.is_array() || hbj.size() != h.waterlineZ_.size())
            throw std::runtime_error("hull: station x = " + std::to_string(x) +
                                     " needs one half-breadth per waterline");
        std::vector<double> hb;
        for (const auto& v : hbj) {
            const double b = v.is_null() ? 0.0 : v.get<double>();
            if (b < 0 || !std::isfinite(b))
                throw std::runtime_error("hull: negative half-breadth at x = " + std::to_string(x));
            hb.push_back(b);
        }
        h.stationX_.push_back(x);
        h.keelZ_.push_back(keel);
        h.deckZ_.push_back(deck);
        double keelHb = -1.0;  // not given
        if (st.contains("keelHalfBreadth")) {
            keelHb = st.at("keelHalfBreadth").get<double>();
            if (keelHb < 0 || !std::isfinite(keelHb))
                throw std::runtime_error("hull: negative keelHalfBreadth at x = " + std::to_string(x));
        }
        h.keelHb_.push_back(keelHb);
        h.halfBreadth_.push_back(std::move(hb));
    }
    h.xAft_ = h.stationX_.front();
    h.xFore_ = h.stationX_.back();

    // Integration stations: every offset station, each interval split into an
    // even number of equal parts (Simpson pairs) no longer than the bound.
    for (size_t i = 0; i + 1 < h.stationX_.size(); ++i) {
        const double a = h.stationX_[i], b = h.stationX_[i + 1];
        int n = std::max(2, static_cast<int>(std::ceil((b - a) / kMaxStationSpacing)));
        if (n % 2) ++n;
        for (int k = 0; k < n; ++k) h.stations_.push_back(a + (b - a) * k / n);
    }
    h.stations_.push_back(h.xFore_);
    return h;
}

// Half-breadth of offset station s at height z (0 below its keel); above the
// deck the side runs on as at the deck, so that sheer interpolates smoothly.
double Hull::StationHb(size_t s, double z) const {
    const double keel = keelZ_[s], deck = deckZ_[s];
    if (z < keel) return 0;
    const std::vector<double>& hb = halfBreadth_[s];
    const std::vector<double>& wl = waterlineZ_;
    // Profile points of this station: keel, waterlines inside (keel, deck).
    double kHb = keelHb_[s];
    size_t first = 0;
    while (first < wl.size() && wl[first] < keel) ++first;
    if (kHb < 0) kHb = (first < wl.size() && wl[first] == keel) ? hb[first] : 0.0;
    if (first < wl.size() && wl[first] == keel) ++first;
    size_t last = first;  // one past the last waterline below the deck
    while (last < wl.size() && wl[last] < deck) ++last;
    const double zz = std::min(z, deck);
    double zPrev = keel, bPrev = kHb;
    double zBack = keel, bBack = kHb;  // the point before (zPrev, bPrev)
    for (size_t i = first; i < last; ++i) {
        if (zz <= wl[i]) return bPrev + (hb[i] - bPrev) * (zz - zPrev) / (wl[i] - zPrev);
        zBack = zPrev;
        bBack = bPrev;
        zPrev = wl[i];
        bPrev = hb[i];
    }
    // Between the last waterline inside and the deck: towards the next
    // waterline's value if one lies at or above the deck, otherwise the last
    // segment of the profile carries on straight (vertical if there is none).
    if (last < wl.size() && wl[last] > zPrev) {
        const double b = bPrev + (hb[last] - bPrev) * (zz - zPrev) / (wl[last] - zPrev);
        return std::max(0.0, b);
    }
    if (zPrev > zBack) return std::max(0.0, bPrev + (bPrev - bBack) / (zPrev - zBack) * (zz - zPrev));
    return bPrev;
}

bool Hull::Locate(double x, size_t& s, double& t) const {
    if (x < xAft_ || x > xFore_) return false;
    auto it = std::upper_bound(stationX_.begin(), stationX_.end(), x);
    size_t i = static_cast<size_t>(it - stationX_.begin());
    if (i == 0) i = 1;
    if (i >= stationX_.size()) i = stationX_.size() - 1;
    s = i - 1;
    t = (x - stationX_[s]) / (stationX_[s + 1] - stationX_[s]);
    return true;
}

double Hull::DeckZ(double x) const {
    size_t s;
    double t;
    if (!Locate(x, s, t)) return 0;
    return deckZ_[s] + t * (deckZ_[s + 1] - deckZ_[s]);
}

double Hull::KeelZ(double x) const {
    size_t s;
    double t;
    if (!Locate(x, s, t)) return 0;
    return keelZ_[s] + t * (keelZ_[s + 1] - keelZ_[s]);
}

double Hull::HalfBreadth(double x, double z) const {
    std::vector<double> zs, b;
    if (!Profile(x, zs, b) || z < zs.front() || z > zs.back()) return 0;
    const size_t i = static_cast<size_t>(std::upper_bound(zs.begin(), zs.end(), z) - zs.begin());
    if (i >= zs.size()) return b.back();
    if (i == 0) return b.front();
    return b[i - 1] + (b[i] - b[i - 1]) * (z - zs[i - 1]) / (zs[i] - zs[i - 1]);
}

// The side of the section at x as half-breadths b at ascending heights zs from
// the keel to the deck; the outline is straight between these points.
bool Hull::Profile(double x, std::vector<double>& zs, std::vector<double>& b) const {
    size_t s;
    double t;
    if (!Locate(x, s, t)) return false;
    const double keel = keelZ_[s] + t * (keelZ_[s + 1] - keelZ_[s]);
    const double deck = deckZ_[s] + t * (deckZ_[s + 1] - deckZ_[s]);
    // Heights where the interpolated side can bend: waterlines and the keels
    // and decks of both neighbouring stations, inside (keel, deck).
    zs.clear();
    zs.reserve(waterlineZ_.size() + 6);
    zs.push_back(keel);
    for (double z : waterlineZ_)
        if (z > keel && z < deck) zs.push_back(z);
    for (double z : {keelZ_[s], keelZ_[s + 1], deckZ_[s], deckZ_[s + 1]})
        if (z > keel && z < deck) zs.push_back(z);
    zs.push_back(deck);
    std::sort(zs.begin(), zs.end());
    zs.erase(std::unique(zs.begin(), zs.end()), zs.end());
    b.resize(zs.size());
    for (size_t i = 0; i < zs.size(); ++i) b[i] = (1 - t) * StationHb(s, zs[i]) + t * StationHb(s + 1, zs[i]);
    return true;
}

Poly Hull::Section(double x) const {
    Poly poly;
    std::vector<double> zs, b;
    if (!Profile(x, zs, b)) return poly;
    const double bMax = *std::max_element(b.begin(), b.end());
    if (bMax <= 0) return poly;
    // Counter-clockwise: up the starboard side, across the deck, down the port side.
    poly.reserve(2 * zs.size() + 2);
    if (b[0] > 0) poly.push_back({0, zs[0]});
    for (size_t i = 0; i < zs.size(); ++i) poly.push_back({b[i], zs[i]});
    if (b.back() > 0) poly.push_back({0, zs.back()});
    for (size_t i = zs.size(); i-- > 0;) poly.push_back({-b[i], zs[i]});
    // Drop repeated points (zero half-breadths on the centre line).
    Poly clean;
    clean.reserve(poly.size());
    for (const Pt& p : poly) {
        if (!clean.empty() && std::abs(clean.back().y - p.y) < 1e-12 && std::abs(clean.back().z - p.z) < 1e-12)
            continue;
        clean.push_back(p);
    }
    while (clean.size() > 1 && std::abs(clean.front().y - clean.back().y) < 1e-12 &&
           std::abs(clean.front().z - clean.back().z) < 1e-12)
        clean.pop_back();
    if (clean.size() < 3) clean.clear();
    return clean;
}

}  // namespace kv::shipgen
