#include "core/nomograph.h"

#include <cmath>

#include "core/messages.h"
#include "core/nomograph_tables.h"

namespace talveno::nomograph {

namespace {

double checkedFinite(double value) {
    if (!std::isfinite(value)) throw messages::overflow();
    return value;
}

constexpr std::size_t kCurveCount = kStiffnessCurves.size();
constexpr std::size_t kLanes = 48;  // the curves padded for vector arithmetic

// The coefficients of all curves by power: kByPower[k][j] = c_jk.
constexpr auto kByPower = [] {
    std::array<std::array<double, kLanes>, 6> byPower{};
    for (std::size_t k = 0; k < 6; ++k)
        for (std::size_t j = 0; j < kCurveCount; ++j)
            byPower[k][j] = kStiffnessCurves[j].coefficients[k];
    return byPower;
}();

// P_j(y) of every curve j: x / 100 at height y, by Horner's rule in u = y / 100, multiplying
// by y before dividing by 100. All curves at once, so that the divisions run side by side.
void curveValues(double y, std::array<double, kLanes>& p) {
    p = kByPower[5];
    for (int k = 4; k >= 0; --k)
        for (std::size_t j = 0; j < kLanes; ++j) p[j] = p[j] * y / 100 + kByPower[k][j];
    for (std::size_t j = 0; j < kCurveCount; ++j) checkedFinite(p[j]);
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

    std::array<double, kLanes> p;
    curveValues(y, p);

    // The first pair of curves (i - 1, i) in increasing stiffness that encloses x; beyond the
    // stiffest curve the last pair, extrapolated.
    const std::size_t last = kCurveCount - 1;
    std::size_t i = 1;
    while (i <= last && !(100 * p[i - 1] <= x && 100 * p[i] > x)) ++i;
    if (i > last) {
        if (!(x >= 100 * p[last])) throw messages::nomographOutOfRange();
        i = last;
    }
    const double lower = p[i - 1];
    const double upper = p[i];
    const double span = upper - lower;
    if (span == 0)
        throw x - 100 * lower == 0 ? messages::invalidOperation() : messages::divisionByZero();
    const double g = ((x - 100 * lower) / span) / 100;
    const double lowLn = std::log(kStiffnessCurves[i - 1].stiffnessPa);
    const double highLn = std::log(kStiffnessCurves[i].stiffnessPa);
    const double stiffnessPa = std::exp(lowLn + g * (highLn - lowLn));
    return {x, i, g, checkedFinite(stiffnessPa) / 1000000};
}

}  // namespace talveno::nomograph

namespace talveno {

double NomographSbit(double penetrationIndex, double loadingTime, double temperatureDifference) {
    return nomograph::read(penetrationIndex, loadingTime, temperatureDifference).stiffnessMpa;
}

}  // namespace talveno
