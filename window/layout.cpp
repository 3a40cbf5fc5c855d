#include "window/layout.h"

#include <stdexcept>
#include <string>

#include "window/curves_view.h"

namespace talveno::window::layout {

namespace {

using enum Kind;
using enum Cursor;
using enum Look;

constexpr Control kControls[] = {
    // Beneath the page container, which covers it.
    {"Image5", Image, kWindow, 43, 12, 40, 41},
    {"PageControl1", PageControl, kWindow, 7, 7, 761, 410, "", 0},
    {"TabSheet1", TabSheet, "PageControl1", 0, 0, 0, 0, "スタート"},
    // Wider than the page, whose border cuts off its right end.
    {"Panel1", Panel, "TabSheet1", 0, 8, 782, 314, "", 1},
    {"Image3", Image, "Panel1", 1, 1, 780, 312, "", kNoFocus, Arrow, Centred},
    {"Image1", Image, "Panel1", 578, 93, 143, 76},
    {"GroupBox2", GroupBox, "Panel1", 504, 176, 209, 49, "最大データ数", 3, Arrow, Silver},
    {.name = "Edit4",
     .kind = Edit,
     .parent = "GroupBox2",
     .left = 20,
     .top = 21,
     .width = 45,
     .height = 20,
     .text = "50",
     .focus = 0,
     .description = "最大データ数"},
    {"Label16", Label, "GroupBox2", 76, 24, 83, 12, "(max:10,000個））"},
    {"Button12", PushButton, "GroupBox2", 164, 16, 33, 25, "Help", 1},
    {"RadioGroup1",
     RadioGroup,
     "Panel1",
     506,
     232,
     79,
     65,
     "単　位",
     0,
     Arrow,
     Silver,
     {"MPa", "kgf/cm2"}},
    {"RadioGroup2",
     RadioGroup,
     "Panel1",
     600,
     232,
     113,
     65,
     "Van Draatらの補正",
     1,
     Arrow,
     Silver,
     {"なし", "あり"}},
    // Inside the frame of RadioGroup2, right of its items.
    {"Button11", PushButton, "Panel1", 668, 264, 33, 25, "Help", 2},
    {"BitBtn1", PushButton, "TabSheet1", 325, 339, 105, 25, "ここからスタート！", 0, PointingHand},

    {"TabSheet2", TabSheet, "PageControl1", 0, 0, 0, 0, "データ入力と計算"},
    {"Label4", Label, "TabSheet2", 56, 40, 138, 16, "【計算データの入力】", kNoFocus, Arrow, Large},
    {"Label6", Label, "TabSheet2", 203, 42, 95, 12, "■　最大データ数：", kNoFocus, Arrow, Red},
    // The count reads as part of its caption.
    {.name = "Label18",
     .kind = Label,
     .parent = "TabSheet2",
     .left = 300,
     .top = 42,
     .width = 39,
     .height = 12,
     .look = Red,
     .fontOf = "Label6"},
    {"Label9", Label, "TabSheet2", 416, 36, 53, 12, "ファイル名"},
    {"Label10", Label, "TabSheet2", 430, 50, 24, 12, "*.dat"},
    {.name = "Memo1",
     .kind = FileNameBox,
     .parent = "TabSheet2",
     .left = 496,
     .top = 32,
     .width = 217,
     .height = 33,
     .text = "Memo1",
     .focus = 6,
     .look = ButtonText,
     .description = "入力データのファイル名"},
    {"StringGrid1", EditableGrid, "TabSheet2", 56, 80, 657, 153, "", 1, Arrow, White},
    {"Panel5", FramedPanel, "TabSheet2", 56, 248, 201, 105, "", 10},
    {"BitBtn3", PushButton, "TabSheet2", 74, 265, 73, 33, "保　存", 3, PointingHand},
    {"BitBtn2", PushButton, "TabSheet2", 162, 265, 75, 33, "読み込み", 2, PointingHand},
    {"Button3", PushButton, "TabSheet2", 73, 305, 73, 33, "印　刷", 7, PointingHand},
    // The row editing controls are children of their frame.
    {"Panel3", FramedPanel, "TabSheet2", 264, 248, 321, 105, "", 9},
    {"Button7", PushButton, "Panel3", 16, 16, 73, 33, "１行目コピー", 0, PointingHand},
    {"Button9", PushButton, "Panel3", 103, 17, 74, 33, "任意行コピー", 2, PointingHand},
    {.name = "Edit1",
     .kind = Edit,
     .parent = "Panel3",
     .left = 184,
     .top = 27,
     .width = 25,
     .height = 20,
     .focus = 3,
     .description = "任意行コピーの行No"},
    {"Label2", Label, "Panel3", 216, 32, 24, 12, "行目"},
    {"Button8", PushButton, "Panel3", 103, 57, 74, 33, "部分クリア", 1, PointingHand},
    {.name = "Edit2",
     .kind = Edit,
     .parent = "Panel3",
     .left = 184,
     .top = 64,
     .width = 25,
     .height = 20,
     .focus = 4,
     .description = "部分クリアの最初の行No"},
    {"Label3", Label, "Panel3", 215, 67, 6, 12, "-"},
    {.name = "Edit3",
     .kind = Edit,
     .parent = "Panel3",
     .left = 224,
     .top = 64,
     .width = 49,
     .height = 20,
     .focus = 5,
     .description = "部分クリアの最後の行No"},
    {"Label15", Label, "Panel3", 280, 72, 24, 12, "行目"},
    {"Button10", PushButton, "Panel3", 249, 18, 48, 33, "Help", 6, Help},
    // Inside the frame of Panel3, below Button7, but a child of the page.
    {"Button2", PushButton, "TabSheet2", 280, 305, 73, 33, "全部クリア", 5, PointingHand},
    {"Panel4", FramedPanel, "TabSheet2", 592, 248, 123, 105, "", 0},
    {"BitBtn4", PushButton, "TabSheet2", 614, 265, 78, 33, "計算実行", 4, PointingHand},
    {"Button6", PushButton, "TabSheet2", 614, 305, 78, 33, "Help", 8, Help},

    {"TabSheet3", TabSheet, "PageControl1", 0, 0, 0, 0, "結果の出力と表示"},
    {"Label7", Label, "TabSheet3", 40, 40, 80, 16, "【計算結果】", kNoFocus, Arrow, Large},
    {"Label8", Label, "TabSheet3", 133, 42, 95, 12, "■　最大データ数：", kNoFocus, Arrow, Red},
    {.name = "Label17",
     .kind = Label,
     .parent = "TabSheet3",
     .left = 232,
     .top = 43,
     .width = 36,
     .height = 12,
     .look = Red,
     .fontOf = "Label8"},
    {"Label11", Label, "TabSheet3", 416, 36, 53, 12, "ファイル名"},
    {"Label12", Label, "TabSheet3", 430, 50, 0, 0},
    {.name = "Memo2",
     .kind = FileNameBox,
     .parent = "TabSheet3",
     .left = 496,
     .top = 32,
     .width = 217,
     .height = 33,
     .text = "Memo2",
     .focus = 3,
     .description = "計算結果のファイル名"},
    {"StringGrid2", ReadOnlyGrid, "TabSheet3", 32, 88, 697, 153, "", 0, Arrow, Cream},
    {"Panel2", FramedPanel, "TabSheet3", 32, 271, 449, 65, "", 6},
    {"BitBtn6", PushButton, "TabSheet3", 100, 287, 77, 33, "保　存", 2, PointingHand},
    {"BitBtn5", PushButton, "TabSheet3", 220, 287, 77, 33, "読み込み", 1, PointingHand},
    {"Button4", PushButton, "TabSheet3", 340, 287, 77, 33, "印　刷", 4, PointingHand},
    {"Panel6", FramedPanel, "TabSheet3", 496, 272, 113, 65, "", 7},
    {"Button5", PushButton, "TabSheet3", 526, 287, 51, 33, "Help", 5, Help},

    // Over the right end of the tab row, above the page container: it shows on every page.
    {"Button1", PushButton, kWindow, 693, 6, 75, 20, "終　了", 1, PointingHand},
};

// Shift+Enter is the result table's own key (either Enter); the menu only shows it.
// clang-format off
constexpr MenuItem kPopupMenu[] = {
    {"Copy1", "コピー", "Ctrl+C"},
    {"SelectAll1", "すべて選択", "Ctrl+A"},
    {""},
    {"Nomograph1", "ノモグラフで確認"},
    {"Curves1", kCurvesCommand, "Shift+Enter"},
};
// clang-format on

}  // namespace

std::span<const Control> controls() {
    return kControls;
}

const Control& control(std::string_view name) {
    for (const Control& each : kControls)
        if (each.name == name) return each;
    throw std::out_of_range("no control " + std::string(name));
}

int captionRoom(const Control& control) {
    if (control.kind == PushButton) return control.width - 2 * kCaptionClearance;
    return control.kind == Label ? control.width : 0;
}

std::span<const MenuItem> popupMenu() {
    return kPopupMenu;
}

}  // namespace talveno::window::layout
