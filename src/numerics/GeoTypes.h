// Plane and space geometry types shared by the ship data and the spline library.
#pragma once

#include <vector>

namespace kv {

struct TPoint2D {
    double X = 0;
    double Y = 0;
};
using TPoint2DArray = std::vector<TPoint2D>;
using TPolygon2D = std::vector<TPoint2D>;  // closed outline, first vertex not repeated
using TReal1DArray = std::vector<double>;

struct TPoint3D {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

struct TSegment2D {
    TPoint2D P1;
    TPoint2D P2;
};

}  // namespace kv
