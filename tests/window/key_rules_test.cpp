// Which page a key turns to, and what a key does in the result table's menu.
#include "window/key_rules.h"

#include <gtest/gtest.h>

namespace talveno::window::keys {
namespace {

TEST(KeyRules, PagesTurnOnlyToShownTabs) {
    const std::vector<bool> middleHidden{true, false, true};
    const std::vector<bool> allShown{true, true, true};
    const Held none{}, ctrl{true}, ctrlShift{true, true}, ctrlAlt{true, false, true};
    const struct {
        const std::vector<bool>& shown;
        int current;
        const char* key;
        Held held;
        bool onTabRow;
        std::optional<int> expected;
    } cases[] = {
        {middleHidden, 0, "ArrowRight", none, true, 2},
        {middleHidden, 2, "ArrowDown", none, true, 2},  // stops at the end, key taken
        {middleHidden, 2, "ArrowLeft", none, true, 0},
        {middleHidden, 0, "ArrowUp", none, true, 0},
        {middleHidden, 0, "ArrowRight", none, false, std::nullopt},
        {middleHidden, 0, "ArrowRight", ctrl, true, std::nullopt},
        {allShown, 1, "Home", none, true, 0},
        {allShown, 1, "End", none, true, 2},
        {allShown, 1, "Home", none, false, std::nullopt},
        {allShown, 2, "Tab", ctrl, false, 0},  // goes round
        {allShown, 0, "Tab", ctrlShift, false, 2},
        {middleHidden, 0, "PageDown", ctrl, true, 2},
        {middleHidden, 0, "PageUp", ctrl, false, 2},
        {allShown, 0, "PageDown", ctrlShift, false, std::nullopt},
        {allShown, 0, "Tab", ctrlAlt, false, std::nullopt},
        {allShown, 0, "Tab", none, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageTurnedTo(c.shown, c.current, c.key, c.held, c.onTabRow), c.expected)
            << c.key << " from " << c.current;
}

TEST(KeyRules, MenuKeys) {
    const struct {
        int active;
        const char* key;
        MenuAction action;
        int item;
    } cases[] = {
        {-1, "ArrowDown", MenuAction::Activate, 0}, {3, "ArrowDown", MenuAction::Activate, 0},
        {-1, "ArrowUp", MenuAction::Activate, 3},   {0, "ArrowUp", MenuAction::Activate, 3},
        {2, "Home", MenuAction::Activate, 0},       {0, "End", MenuAction::Activate, 3},
        {1, "Enter", MenuAction::Run, 1},           {2, " ", MenuAction::Run, 2},
        {-1, "Enter", MenuAction::None, -1},        {1, "Escape", MenuAction::Close, 1},
        {1, "Tab", MenuAction::Close, 1},           {1, "a", MenuAction::None, -1},
    };
    for (const auto& c : cases) {
        const MenuKey got = menuKey(4, c.active, c.key);
        EXPECT_EQ(got.action, c.action) << c.key << " at " << c.active;
        EXPECT_EQ(got.item, c.item) << c.key << " at " << c.active;
    }
}

}  // namespace
}  // namespace talveno::window::keys
