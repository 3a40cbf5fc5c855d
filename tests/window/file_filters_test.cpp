// The file dialogs' filter lists and the extension a save dialog adds.
#include "window/file_filters.h"

#include <gtest/gtest.h>

namespace talveno::window {
namespace {

using Strings = std::vector<std::string>;

TEST(FileFilters, EntriesOfAFilterList) {
    const auto entries = filterEntries("*.dat|*.dat|すべてのファイル|*.*|text|*.txt; *.csv");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].description, "*.dat");
    EXPECT_EQ(entries[0].extensions, Strings{"dat"});
    EXPECT_EQ(entries[1].patterns, Strings{"*.*"});
    EXPECT_EQ(entries[1].extensions, Strings{});
    EXPECT_EQ(entries[2].patterns, (Strings{"*.txt", "*.csv"}));
    EXPECT_EQ(entries[2].extensions, (Strings{"txt", "csv"}));
    EXPECT_TRUE(filterEntries("").empty());
}

TEST(FileFilters, DefaultExtensionOnlyWhereNoneIsTyped) {
    const struct {
        const char* name;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"data", "dat", "data.dat"},
        {"data.txt", "dat", "data.txt"},
        {"data.", "dat", "data."},
        {"dir.v2/data", "dat", "dir.v2/data.dat"},
        {"dir.v2\\data", "out", "dir.v2\\data.out"},
        {"data", "", "data"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c.name, c.extension), c.expected) << c.name;
}

}  // namespace
}  // namespace talveno::window
