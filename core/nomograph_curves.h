#pragma once

#include <cstddef>

// The stiffness curves of the nomograph read at one height.
namespace talveno::nomograph {

// A pair of neighbouring curves (upperCurve - 1, upperCurve) and their values P = x / 100 there.
struct CurvePair {
    std::size_t upperCurve;
    double lower;
    double upper;
};

// How many curves are evaluated side by side, in one vector of doubles (one: each on its own,
// where there are no vectors). Every width gives the same pair, bit for bit; the widest the
// processor has is used.
enum class CurveLanes { one, two, four, eight };
bool processorHas(CurveLanes lanes);

// P_j(y) of curve j alone, evaluated as the scan evaluates it.
double curveValue(std::size_t curve, double y);

// The first pair in increasing stiffness whose curves enclose x at height y
// (100 * P_lower <= x < 100 * P_upper); at or beyond the stiffest curve the last pair. Each curve
// is P(y) = c0 + c1 u + ... + c5 u^5 with u = y / 100, by Horner's rule, multiplying by y before
// dividing by 100. A curve value beyond the double range is an overflow, a point left of every
// curve lies outside the nomograph. y and x are finite.
CurvePair enclosingPair(double y, double x);
// The same with the given width, one the processor has.
CurvePair enclosingPair(double y, double x, CurveLanes lanes);

}  // namespace talveno::nomograph
