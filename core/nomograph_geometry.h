#pragma once

#include <cstddef>

#include "core/nomograph.h"

// The nomograph as lines in its own plane (x to the right, y upward, nomograph units): the
// stiffness curves, and one look-up with the points it passes through.
namespace talveno::nomograph {

struct Point {
    double x;
    double y;
};

// x of stiffness curve j at height y, 100 * P_j(y), evaluated as the look-up evaluates it.
double curveX(std::size_t curve, double height);

// A look-up drawn: the points of the loading time and of the temperature difference on their
// scales, the point X where the straight line through them reaches the height of the
// penetration index, and the pair of curves the look-up took, with their x at that height.
struct LookUpFigure {
    Point loadingTime;
    Point temperatureDifference;
    Point reading;
    std::size_t lowerCurve;
    std::size_t upperCurve;
    double lowerCurveX;
    double upperCurveX;
};

// The figure of a look-up made with these inputs. Throws the look-up's failures.
LookUpFigure lookUpFigure(double penetrationIndex, double loadingTime, double temperatureDifference,
                          const Reading& reading);

}  // namespace talveno::nomograph
