#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/extrapolation.h"
#include "core/row_calculation.h"
#include "core/stiffness_unit.h"

// A row's stiffness over temperature and loading time: the points of its curves, each the Sbit
// and Smix a calculation run computes for the row with that temperature and loading time.
namespace talveno {

// What a row's Sbit and Smix at any temperature and loading time depend on, as the run has them.
struct CurveRow {
    double softeningPoint;    // °C
    double penetrationIndex;  // rounded to 0.01
    double concentration;     // Cv, a fraction rounded to 0.001
};

// The curve row of a row whose PI and Cv are computed (RowNumbers::start).
CurveRow curveRow(const RowNumbers& row);

struct CurvePoint {
    double temperature = 0;  // °C
    double loadingTime = 0;  // s
    // Sbit and Smix in the unit; 0 where the point failed.
    double bitumenStiffness = 0;
    double mixtureStiffness = 0;
    nomograph::Extrapolation extrapolation;
    // The message of the failure that leaves the point without Sbit and Smix: a temperature
    // difference off the nomograph's scale, a fault of the relations. Empty where it has them.
    std::string failure;

    bool computed() const { return failure.empty(); }
};

// The row's points at every temperature and every loading time: temperature by temperature,
// each at the loading times in their order, so that point (i, k) is points[i * loadingTimes.size()
// + k]. The vector's memory is used again. A point's failure is its own; nothing is thrown.
void stiffnessCurves(const CurveRow& row, std::span<const double> temperatures,
                     std::span<const double> loadingTimes, StiffnessUnit unit,
                     std::vector<CurvePoint>& points);

// What a point's note says: the failure's message, or why its Sbit is extrapolated (the
// sentences joined by "。"), or nothing for a reading.
std::string curvePointNote(const CurvePoint& point);

}  // namespace talveno
