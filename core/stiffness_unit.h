#pragma once

#include <string_view>

namespace talveno {

// The unit in which Sbit and Smix are written; they are always computed in MPa.
enum class StiffnessUnit { Mpa, KgfPerCm2 };

// "MPa" or "kgf/cm2", as in the result headers.
constexpr std::string_view unitName(StiffnessUnit unit) {
    return unit == StiffnessUnit::Mpa ? "MPa" : "kgf/cm2";
}

// The extension of result files in that unit: "mpa" or "kgf".
constexpr std::string_view resultFileExtension(StiffnessUnit unit) {
    return unit == StiffnessUnit::Mpa ? "mpa" : "kgf";
}

}  // namespace talveno
