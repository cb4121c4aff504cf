// Outline objects of the three ship views: the profile (hull, decks,
// bulkheads, superstructure, cranes), the midship section (hull and the
// compartments it cuts) and the plan (deck, hold and tank footprints that the
// plan view fills and picks, and the deck areas of the bale cargo levels).
// The entry point is BuildViewOutlines (Builders.h).
#pragma once

#include <cstdint>
#include <string>

#include "model/ShipInfo.h"

namespace kv::shipgen {

// Head offsets of the named fields of an outline object.
constexpr size_t ObjNameOffset = 0;
constexpr size_t ObjOrderOffset = 84;
constexpr size_t ObjGroupOffset = 92;
constexpr size_t ObjItemOffset = 96;
constexpr size_t ObjLinkOffset = 100;
constexpr size_t ObjClosedOffset = 104;
constexpr size_t ObjColorOffset = 108;
constexpr size_t PointCountOffset = 116;

// Plan-view groups of the bale cargo deck areas besides the load groups.
constexpr int32_t FirstTweenDeckGroup = 10;
constexpr int32_t SecondTweenDeckGroup = 11;

// An outline object with its named fields set both decoded and in the raw
// head; the other drawing attributes stay zero. Names are cut to 40 characters.
object_rec MakeOutlineObject(const std::string& name, float order, int32_t group, int32_t item, bool closed,
                             int32_t color, const TPolygon2D& points);

// "#RRGGBB" to the 0x00BBGGRR colour value of the views.
int32_t ParseColor(const std::string& text);

}  // namespace kv::shipgen
