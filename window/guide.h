#pragma once

#include <filesystem>
#include <string_view>

#include "window/form.h"

// The user guide in Japanese, which F1 opens in the desktop's viewer: where the program finds
// it, and what the window says when it cannot show it.
namespace talveno::window::guide {

// The guide's HTML file: installed with the documentation, built into the build folder's
// "guide", and beside the page in the release bundle.
inline constexpr std::string_view kFileName = "talveno-guide-ja.html";

// The guide of the program that runs from programFolder. A program in a build folder (the
// folder above the program's holds CMakeCache.txt) reads the build's guide; an installed one
// reads its documentation folder, reached from the program's folder by docFromProgram
// ("../share/doc/talveno" for /usr/bin).
std::filesystem::path place(const std::filesystem::path& programFolder,
                            std::string_view docFromProgram);

// The error box when the guide is not where it was looked for, and when the desktop has no
// viewer that takes it.
Outcome missing(const std::filesystem::path& place);
Outcome notOpened(const std::filesystem::path& place);

}  // namespace talveno::window::guide
