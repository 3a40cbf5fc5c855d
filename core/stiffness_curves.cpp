#include "core/stiffness_curves.h"

#include "core/failure.h"

namespace talveno {

CurveRow curveRow(const RowNumbers& row) {
    return {row.inputs()[kSofteningPoint], row.penetrationIndex(), row.concentration()};
}

void stiffnessCurves(const CurveRow& row, std::span<const double> temperatures,
                     std::span<const double> loadingTimes, StiffnessUnit unit,
                     std::vector<CurvePoint>& points) {
    points.resize(temperatures.size() * loadingTimes.size());
    auto point = points.begin();
    for (const double temperature : temperatures) {
        for (const double loadingTime : loadingTimes) {
            point->temperature = temperature;
            point->loadingTime = loadingTime;
            point->failure.clear();
            try {
                const RowStiffness stiffness =
                    rowStiffness(row.penetrationIndex, row.concentration, row.softeningPoint,
                                 loadingTime, temperature, unit);
                point->bitumenStiffness = stiffness.bitumen;
                point->mixtureStiffness = stiffness.mixture;
                point->extrapolation =
                    nomograph::extrapolationOf(row.penetrationIndex, stiffness.reading);
            } catch (const Failure& failure) {
                point->bitumenStiffness = point->mixtureStiffness = 0;
                point->extrapolation = {};
                point->failure = failure.message();
            }
            ++point;
        }
    }
}

std::string curvePointNote(const CurvePoint& point) {
    if (!point.computed()) return point.failure;
    std::string note;
    for (const std::string& sentence : nomograph::extrapolationNotes(point.extrapolation))
        note += (note.empty() ? "" : "。") + sentence;
    return note;
}

}  // namespace talveno
