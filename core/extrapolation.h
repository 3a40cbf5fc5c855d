#pragma once

#include <string>
#include <vector>

#include "core/nomograph.h"

// Where a look-up's Sbit is extrapolated rather than read off the nomograph, and the words that
// say why.
namespace talveno::nomograph {

// The penetration indices the nomograph view draws the curves over as it opens; beyond them the
// axis the engineer reads from is not drawn.
inline constexpr int kLowestIndexShown = -3;
inline constexpr int kHighestIndexShown = 3;

struct Extrapolation {
    bool beyondStiffestCurve = false;  // X beyond the stiffest curve: the last pair, g above 1
    bool indexOffAxis = false;         // PI outside kLowestIndexShown to kHighestIndexShown
    bool any() const { return beyondStiffestCurve || indexOffAxis; }
};

Extrapolation extrapolationOf(double penetrationIndex, const Reading& reading);

// One sentence for each reason, in the order above; none for a reading.
std::vector<std::string> extrapolationNotes(const Extrapolation& extrapolation);

}  // namespace talveno::nomograph
