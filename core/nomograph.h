#pragma once

#include <cstddef>

// Reading the bitumen stiffness off the Van der Poel nomograph.
namespace talveno {

namespace nomograph {

// x of a loading time in seconds on the loading-time scale.
double loadingTimeX(double loadingTime);
// x of a temperature difference in °C on the temperature-difference scale.
double temperatureDifferenceX(double temperatureDifference);
// Height of a penetration index on its axis.
double penetrationIndexHeight(double penetrationIndex);

// One look-up in full: where the stiffness line arrives at the height of the penetration
// index, the pair of curves taken (upperCurve - 1, upperCurve) and the fraction between them.
struct Reading {
    double x;
    std::size_t upperCurve;
    double fraction;
    double stiffnessMpa;
};
Reading read(double penetrationIndex, double loadingTime, double temperatureDifference);

}  // namespace nomograph

// Sbit in MPa for a penetration index, a loading time t in seconds (t > 0) and the temperature
// difference softening point minus temperature in °C (-130 to 200). Draws the line through
// the loading time and the temperature difference up to the height of the penetration index
// and interpolates log-linearly between the two stiffness curves enclosing that point.
double NomographSbit(double penetrationIndex, double loadingTime, double temperatureDifference);

}  // namespace talveno

using talveno::NomographSbit;
