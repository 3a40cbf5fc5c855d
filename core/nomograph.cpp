#include "core/nomograph.h"

#include <array>
#include <cmath>

#include "core/messages.h"
#include "core/nomograph_curves.h"
#include "core/nomograph_tables.h"

namespace talveno::nomograph {

namespace {

double checkedFinite(double value) {
    if (!std::isfinite(value)) throw messages::overflow();
    return value;
}

// ln S_j of every curve, taken once by the library's logarithm at run time like the other
// logarithms here: a value folded by the compiler could differ in the last bit.
const std::array<double, kStiffnessCurves.size()>& stiffnessLns() {
    static const auto lns = [] {
        std::array<double, kStiffnessCurves.size()> values;
        for (std::size_t j = 0; j < values.size(); ++j) {
            const volatile double stiffnessPa = kStiffnessCurves[j].stiffnessPa;
            values[j] = std::log(stiffnessPa);
        }
        return values;
    }();
    return lns;
}

}  // namespace

double loadingTimeX(double t) {
    if (t == 0) throw messages::divisionByZero();
    if (t < 0) throw messages::invalidOperation();
    return std::log(t) * (kTenSecondsX - kOneSecondX) / std::log(10.0) + kOneSecondX;
}

double temperatureDifferenceX(double difference) {
    if (!(difference >= 10.0 * kLowestDifferenceStep &&
          difference <= 10.0 * kHighestDifferenceStep))
        throw messages::temperatureDifferenceOutOfRange(difference);
    const double q = difference / 10;
    const double step = std::floor(q);
    const double f = q - step;
    const auto index = static_cast<std::size_t>(static_cast<int>(step) - kLowestDifferenceStep);
    if (f == 0) return kTemperatureDifferenceX[index];
    return (1 - f) * kTemperatureDifferenceX[index] + f * kTemperatureDifferenceX[index + 1];
}

double penetrationIndexHeight(double pi) {
    const auto& a = kPenetrationIndexHeight;
    return checkedFinite(((a[3] * pi + a[2]) * pi + a[1]) * pi + a[0]);
}

Reading read(double penetrationIndex, double loadingTime, double temperatureDifference) {
    const double xt = loadingTimeX(loadingTime);
    const double xT = temperatureDifferenceX(temperatureDifference);
    const double y = penetrationIndexHeight(penetrationIndex);
    const double x = checkedFinite(
        (y - kTemperatureDifferenceY) * (xT - xt) / (kTemperatureDifferenceY - kLoadingTimeY) + xT);

    const CurvePair pair = enclosingPair(y, x);
    const std::size_t i = pair.upperCurve;
    const double span = pair.upper - pair.lower;
    if (span == 0)
        throw x - 100 * pair.lower == 0 ? messages::invalidOperation() : messages::divisionByZero();
    const double g = ((x - 100 * pair.lower) / span) / 100;
    const double lowLn = stiffnessLns()[i - 1];
    const double highLn = stiffnessLns()[i];
    const double stiffnessPa = std::exp(lowLn + g * (highLn - lowLn));
    return {x, i, g, checkedFinite(stiffnessPa) / 1000000};
}

}  // namespace talveno::nomograph

namespace talveno {

double NomographSbit(double penetrationIndex, double loadingTime, double temperatureDifference) {
    return nomograph::read(penetrationIndex, loadingTime, temperatureDifference).stiffnessMpa;
}

}  // namespace talveno
