// The hull of a ship definition: offsets (half-breadths at stations and
// waterlines) with keel and deck lines, giving the closed section at any x.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "shipgen/PolygonOps.h"

namespace kv::shipgen {

class Hull {
public:
    // From the "hull" object of a ship definition (format in ships/README.md).
    static Hull FromJson(const nlohmann::json& hull);

    double Lbp() const { return lbp_; }
    double Breadth() const { return breadth_; }
    double Depth() const { return depth_; }
    double XAft() const { return xAft_; }    // aft end of the hull
    double XFore() const { return xFore_; }  // fore end of the hull

    // Closed section at x (both sides, y positive to starboard), from the keel
    // up to the deck at side, closed by a straight deck; empty outside the hull.
    Poly Section(double x) const;
    double DeckZ(double x) const;  // deck at side
    double KeelZ(double x) const;  // lowest point of the section
    // Half-breadth of the moulded surface at (x, z); 0 outside the hull.
    double HalfBreadth(double x, double z) const;
    // Stations over which the compiler integrates along the length (ascending,
    // from XAft to XFore, fine enough for the accuracy the data needs).
    const std::vector<double>& IntegrationStations() const { return stations_; }

private:
    double StationHb(size_t s, double z) const;
    bool Locate(double x, size_t& s, double& t) const;
    bool Profile(double x, std::vector<double>& zs, std::vector<double>& b) const;

    double lbp_ = 0, breadth_ = 0, depth_ = 0, xAft_ = 0, xFore_ = 0;
    std::vector<double> stationX_;                // offset stations
    std::vector<double> waterlineZ_;              // offset waterlines
    std::vector<std::vector<double>> halfBreadth_;  // [station][waterline]
    std::vector<double> keelZ_, deckZ_;           // per offset station
    std::vector<double> keelHb_;                  // flat of bottom; < 0: not given
    std::vector<double> stations_;
};

}  // namespace kv::shipgen
