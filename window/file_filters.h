#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file dialogs' filter lists, "description|pattern|description|pattern...", where a pattern
// may hold several, "*.txt;*.dat".
namespace talveno::window {

struct FilterEntry {
    std::string description;
    std::vector<std::string> patterns;    // "*.dat", "*.*"
    std::vector<std::string> extensions;  // without the dot; none for "*.*"
};

std::vector<FilterEntry> filterEntries(std::string_view filter);

// The name a save dialog gives a name typed without an extension.
std::string withDefaultExtension(std::string_view name, std::string_view extension);

}  // namespace talveno::window
