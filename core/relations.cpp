#include "core/relations.h"

#include "core/extended.h"

namespace talveno {

using extended::Real;

namespace {

// A value scaled by 1000 rounded to an integer, halves to even, and scaled back.
double onThousandths(Real scaled) {
    return extended::toDouble(Real(extended::roundToInt64(scaled)) / 1000);
}

}  // namespace

double penetrationIndex(double penetration, double softeningPoint) {
    // A: slope of log10 penetration over temperature, from 800 at the softening point down to
    // the penetration at 25 °C.
    static const Real logAtSoftening = extended::log10(800);
    const Real logPenetration = extended::log10(penetration);
    const double a = extended::toDouble(
        extended::divide(logAtSoftening - logPenetration, Real(softeningPoint) - 25));
    const Real raw = extended::divide(20 - 500 * Real(a), 1 + 50 * Real(a));
    return extended::toDouble(Real(extended::roundToInt64(raw * 100)) / 100);
}

double aggregateVolumeConcentration(double asphaltVolume, double voids, bool vanDraat) {
    Real cv = extended::divide(100 - Real(asphaltVolume) - Real(voids), 100 - Real(voids));
    if (vanDraat && voids > 3) cv = extended::divide(cv, 1 + (Real(voids) - 3) / 100);
    return onThousandths(cv * 1000);
}

double concentrationOfPercentage(double percentage) {
    return onThousandths(Real(percentage) * 10);
}

double mixtureStiffness(double bitumenStiffness, double volumeConcentration) {
    const double n =
        extended::toDouble(0.83L * extended::log10(extended::divide(40000, bitumenStiffness)));
    const Real cv = volumeConcentration;
    const Real b = extended::divide(extended::divide(2.5L, n) * cv, 1 - cv) + 1;
    // The power B^n through ln and exp, so a negative B is never raised to a power.
    return extended::toDouble(Real(bitumenStiffness) * extended::exp(n * extended::ln(b)));
}

double toKgfPerCm2(double stiffnessMpa) {
    return extended::toDouble(Real(stiffnessMpa) * kKgfPerCm2PerMpa);
}

}  // namespace talveno
