// The table of the window's controls holds together: each control once, after its parent, the
// focus orders of one parent distinct, the texts the commands write in controls of the table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "window/layout.h"

namespace talveno::window::layout {
namespace {

TEST(LayoutTest, every_control_follows_its_parent_with_a_focus_order_of_its_own) {
    std::set<std::string_view> seen = {kWindow};
    std::map<std::string_view, std::set<int>> orders;
    int tabSheets = 0;
    for (const Control& each : controls()) {
        EXPECT_TRUE(seen.contains(each.parent)) << each.name << " after " << each.parent;
        EXPECT_TRUE(seen.insert(each.name).second) << each.name << " twice";
        if (each.focus != kNoFocus) {
            EXPECT_TRUE(orders[each.parent].insert(each.focus).second) << each.name;
        }
        EXPECT_EQ(each.kind == Kind::TabSheet, each.parent == "PageControl1") << each.name;
        EXPECT_EQ(each.kind == Kind::RadioGroup, !each.items[0].empty()) << each.name;
        if (!each.fontOf.empty()) {
            EXPECT_EQ(control(each.fontOf).parent, each.parent) << each.name;
        }
        tabSheets += each.kind == Kind::TabSheet;
    }
    EXPECT_EQ(controls().size() - tabSheets, 53u);
    EXPECT_EQ(tabSheets, 3);
    // Within a parent the orders run from 0 without a gap.
    for (const auto& [parent, focus] : orders)
        EXPECT_EQ(*focus.rbegin(), int(focus.size()) - 1) << parent;
    for (const std::string_view written :
         {kRowBox, kFirstRowBox, kLastRowBox, kCountBox, kInputCount, kResultCount, kResultPattern,
          kInputFileName, kResultFileName})
        EXPECT_NO_THROW(control(written)) << written;
    EXPECT_THROW(control("Edit5"), std::out_of_range);
}

}  // namespace
}  // namespace talveno::window::layout
