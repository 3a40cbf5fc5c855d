#pragma once

#include <string>

// The numbers the window's charts and notes write on their scales.
namespace talveno::window {

// A decade of seconds on a log scale: "0.001" to "1000" near 1 s, "1E-6" and "1E5" beyond.
std::string decadeText(int decade);

// A number in six significant digits at most, in the exponent form "1E-6" only where the
// plain one would be long: "0.02", "-135.5", "1E-7", "2.5E+10" as "2.5E10".
std::string compactNumber(double value);

}  // namespace talveno::window
