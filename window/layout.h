#pragma once

#include <array>
#include <span>
#include <string_view>

// The window's controls as one table: names, kinds, places, sizes, texts, focus order and looks.
// The Qt window builds its widgets from it, the page's controls are written from it when the
// page is built, and the tests check the real widgets and the real page against it.
namespace talveno::window::layout {

enum class Kind {
    PageControl,  // the page container; its pages are the tab sheets placed in it
    TabSheet,     // a page, its text the caption of its tab
    PushButton,
    Image,         // shows a picture (the front ends' pictures, by the control's name)
    Panel,         // a plain panel holding other controls
    FramedPanel,   // only a raised frame: the controls listed after it lie on top of it
    GroupBox,      // a frame with its text as title, holding other controls
    RadioGroup,    // a group box of radio items in one column, the first one chosen at start
    Edit,          // a single-line edit box, for a number
    Label,         // sizes itself to its text
    FileNameBox,   // a read-only multi-line box with a vertical scroll bar, on the 3-D light colour
    EditableGrid,  // the input table
    ReadOnlyGrid,  // the result table
};

enum class Cursor { Arrow, PointingHand, Help };

// What sets a control apart from the window's ordinary look.
enum class Look {
    Plain,
    Large,       // a label in the large font, 16 pixels high
    Red,         // a label in red
    Silver,      // a group on silver
    White,       // a grid on white
    Cream,       // a grid on cream
    Centred,     // an image with its picture centred in it
    ButtonText,  // a file name box whose text has the system button-text colour
};

inline constexpr int kNoFocus = -1;

// One control, placed in its parent's client area at 96 pixels per inch.
struct Control {
    std::string_view name;
    Kind kind;
    std::string_view parent;  // kWindow for the window's own controls
    int left;
    int top;
    int width;  // for a label, the room its text was designed to fit in; 0 where none is given
    int height;
    std::string_view text = {};  // caption, title or initial text
    int focus = kNoFocus;        // the order in which Tab goes through the parent's controls
    Cursor cursor = Cursor::Arrow;
    Look look = Look::Plain;
    std::array<std::string_view, 2> items = {};  // a radio group's items, top to bottom
    std::string_view fontOf = {};                // a label shown in the font fitted to another
    std::string_view description = {};           // its name for assistive technology, in the page
};

inline constexpr std::string_view kWindow = "Form1";

// Every control after its parent; the controls of one parent in the order in which they lie on
// one another, the last on top.
std::span<const Control> controls();

// The control of that name; throws std::out_of_range for a name that is none.
const Control& control(std::string_view name);

// A caption keeps clear of each side of its button by this much.
inline constexpr int kCaptionClearance = 4;

// The room a control's caption is fitted to, in a smaller font where the window's does not fit:
// a button's width less the clearance on each side, a label's designed width; 0 where there is
// none.
int captionRoom(const Control& control);

// An item of a context menu, with the keys that do the same shown beside it ("Ctrl+C"); an
// item without a name is a separator.
struct MenuItem {
    std::string_view name;
    std::string_view text = {};
    std::string_view keys = {};
};

// The result table's context menu, PopupMenu1, top to bottom.
std::span<const MenuItem> popupMenu();

// The radio items: the first item's top, and each item's height, an equal share of the group
// below its title.
inline constexpr int kRadioItemTop = 13;
inline constexpr int kRadioItemHeight = 24;

// The controls whose texts the commands set.
inline constexpr std::string_view kRowBox = "Edit1";       // the row copy chosen row copies
inline constexpr std::string_view kFirstRowBox = "Edit2";  // the rows partial clear removes
inline constexpr std::string_view kLastRowBox = "Edit3";
inline constexpr std::string_view kCountBox = "Edit4";      // the maximum data count
inline constexpr std::string_view kInputCount = "Label18";  // the count the start command read
inline constexpr std::string_view kResultCount = "Label17";
inline constexpr std::string_view kResultPattern = "Label12";  // the result files' pattern
inline constexpr std::string_view kInputFileName = "Memo1";    // the data file last saved or read
inline constexpr std::string_view kResultFileName = "Memo2";

}  // namespace talveno::window::layout
