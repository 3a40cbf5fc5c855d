#pragma once

#include <array>
#include <string_view>

// The message boxes the commands open: each with a title, an icon, its buttons (the first the
// default, taken by Enter) and the answer that Escape or closing the box gives.
namespace talveno::window::boxes {

enum class Icon { none, question, error };

struct Button {
    std::string_view caption;
    std::string_view answer;
};

struct Box {
    std::string_view title;
    Icon icon;
    std::array<Button, 2> buttons;  // an empty caption for none
    std::string_view escapeAnswer;
};

// The program's name, which a desktop shows as the title of a program that sets none.
inline constexpr std::string_view kApplicationTitle = "talveno";

inline constexpr Box kInformation{kApplicationTitle, Icon::none, {{{"OK", "ok"}, {}}}, "ok"};
inline constexpr Box kConfirmation{
    "確認", Icon::question, {{{"OK", "ok"}, {"キャンセル", "cancel"}}}, "cancel"};
inline constexpr Box kError{kApplicationTitle, Icon::error, {{{"OK", "ok"}, {}}}, "ok"};

}  // namespace talveno::window::boxes
