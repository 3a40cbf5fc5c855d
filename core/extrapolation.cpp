#include "core/extrapolation.h"

#include "core/nomograph_tables.h"
#include "core/number_text.h"

namespace talveno::nomograph {

Extrapolation extrapolationOf(double penetrationIndex, const Reading& reading) {
    return {reading.upperCurve + 1 == kStiffnessCurves.size() && reading.fraction > 1,
            penetrationIndex < kLowestIndexShown || penetrationIndex > kHighestIndexShown};
}

std::vector<std::string> extrapolationNotes(const Extrapolation& extrapolation) {
    std::vector<std::string> notes;
    if (extrapolation.beyondStiffestCurve)
        notes.push_back("X は最も硬い曲線（" +
                        shortestText(kStiffnessCurves.back().stiffnessPa / 1e6) +
                        " MPa）の外にあり、Sbit はその先への外挿値です");
    if (extrapolation.indexOffAxis)
        notes.push_back("PI は図の針入度指数の範囲（" + std::to_string(kLowestIndexShown) +
                        " 〜 +" + std::to_string(kHighestIndexShown) +
                        "）の外にあり、Sbit は外挿値です");
    return notes;
}

}  // namespace talveno::nomograph
