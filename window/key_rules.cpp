#include "window/key_rules.h"

namespace talveno::window::keys {

std::optional<int> pageTurnedTo(const std::vector<bool>& tabShown, int current,
                                std::string_view key, Held held, bool onTabRow) {
    std::vector<int> shown;
    for (int index = 0; index < static_cast<int>(tabShown.size()); ++index)
        if (tabShown[index]) shown.push_back(index);
    if (shown.empty()) return std::nullopt;
    int way = 0;
    const bool round = held.ctrl && !held.alt;
    if (round && key == "Tab") way = held.shift ? -1 : 1;
    if (round && !held.shift && key == "PageDown") way = 1;
    if (round && !held.shift && key == "PageUp") way = -1;
    if (onTabRow && !held.ctrl && !held.alt) {
        if (key == "ArrowLeft" || key == "ArrowUp") way = -1;
        if (key == "ArrowRight" || key == "ArrowDown") way = 1;
    }
    if (onTabRow && key == "Home") return shown.front();
    if (onTabRow && key == "End") return shown.back();
    if (way == 0) return std::nullopt;
    int at = -1;
    for (int i = 0; i < static_cast<int>(shown.size()); ++i)
        if (shown[i] == current) at = i;
    const int count = static_cast<int>(shown.size());
    int to = at + way;
    if (round) to = (to + count) % count;
    return to < 0 || to >= count ? current : shown[to];
}

MenuKey menuKey(int count, int active, std::string_view key) {
    if (count <= 0) return {};
    if (key == "ArrowDown") return {MenuAction::Activate, (active + 1) % count};
    if (key == "ArrowUp")
        return {MenuAction::Activate, active < 0 ? count - 1 : (active - 1 + count) % count};
    if (key == "Home") return {MenuAction::Activate, 0};
    if (key == "End") return {MenuAction::Activate, count - 1};
    if ((key == "Enter" || key == " ") && active >= 0) return {MenuAction::Run, active};
    if (key == "Escape" || key == "Tab") return {MenuAction::Close, active};
    return {};
}

}  // namespace talveno::window::keys
