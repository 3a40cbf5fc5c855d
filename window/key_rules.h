#pragma once

#include <optional>
#include <string_view>
#include <vector>

// Which key goes where in the page container's tab row and in the result table's menu, for
// every front end. Keys by their browser names ("ArrowUp", "Home", "Tab", " ", ...).
namespace talveno::window::keys {

// The modifiers held with a key.
struct Held {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The page a key turns to from `current`, only ever to a page whose tab shows: on the focused
// tab row (`onTabRow`) the arrows go to the next or previous shown tab and stop at the ends,
// Home and End go to the first and last; anywhere in the window Ctrl+Tab, Ctrl+Shift+Tab,
// Ctrl+PageDown and Ctrl+PageUp go round. `current` itself where the key is one of these but
// turns nowhere; none for another key.
std::optional<int> pageTurnedTo(const std::vector<bool>& tabShown, int current,
                                std::string_view key, Held held, bool onTabRow);

// What a key does in an open menu of `count` items, `active` the active one (-1 for none).
enum class MenuAction { None, Activate, Run, Close };
struct MenuKey {
    MenuAction action = MenuAction::None;
    int item = -1;  // the item made active
};

// Up and Down go round the items, Home and End to the ends; Enter or Space runs the active
// item, and nothing without one; Escape and Tab close the menu.
MenuKey menuKey(int count, int active, std::string_view key);

}  // namespace talveno::window::keys
