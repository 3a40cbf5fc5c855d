#include "core/nomograph_geometry.h"

#include "core/nomograph_curves.h"
#include "core/nomograph_tables.h"

namespace talveno::nomograph {

double curveX(std::size_t curve, double height) {
    return 100 * curveValue(curve, height);
}

LookUpFigure lookUpFigure(double penetrationIndex, double loadingTime, double temperatureDifference,
                          const Reading& reading) {
    const double height = penetrationIndexHeight(penetrationIndex);
    const std::size_t upper = reading.upperCurve;
    return {{loadingTimeX(loadingTime), kLoadingTimeY},
            {temperatureDifferenceX(temperatureDifference), kTemperatureDifferenceY},
            {reading.x, height},
            upper - 1,
            upper,
            curveX(upper - 1, height),
            curveX(upper, height)};
}

}  // namespace talveno::nomograph
