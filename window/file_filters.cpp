#include "window/file_filters.h"

#include "tables/cell_block.h"

namespace talveno::window {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<FilterEntry> filterEntries(std::string_view filter) {
    const std::vector<std::string> parts = splitCells(filter, '|');
    std::vector<FilterEntry> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FilterEntry entry{parts[i], {}, {}};
        for (const std::string& pattern : splitCells(parts[i + 1], ';')) {
            std::string_view extension = trimmed(pattern);
            entry.patterns.emplace_back(extension);
            if (extension.starts_with("*.")) extension.remove_prefix(2);
            if (!extension.empty() && extension != "*") entry.extensions.emplace_back(extension);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string withDefaultExtension(std::string_view name, std::string_view extension) {
    const std::size_t last = name.find_last_of("./\\");
    if (extension.empty() || (last != std::string_view::npos && name[last] == '.'))
        return std::string(name);
    return std::string(name) + "." + std::string(extension);
}

}  // namespace talveno::window
