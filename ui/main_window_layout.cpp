// The controls of the main window, built from the window's layout: one factory per kind.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "tables/max_data_count.h"
#include "ui/look.h"
#include "ui/main_window.h"
#include "ui/number_input.h"
#include "ui/pictures.h"
#include "ui/string_grid.h"
#include "window/layout.h"
#include "window/window_texts.h"

using namespace talveno;
using namespace talveno::ui;
using window::layout::Control;
using window::layout::Kind;
using window::layout::Look;

namespace {

constexpr QSize kClientSize{775, 425};  // of the 783 x 459 outer size

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect placeOf(const Control& control) {
    return {control.left, control.top, control.width, control.height};
}

template <typename W>
W* place(W* widget, const Control& control) {
    widget->setObjectName(text(control.name));
    widget->setGeometry(placeOf(control));
    return widget;
}

QPushButton* pushButton(QWidget* parent, const Control& control) {
    auto* button = place(new QPushButton(text(control.text), parent), control);
    button->setFont(fitted(button->font(), button->text(), window::layout::captionRoom(control)));
    using window::layout::Cursor;
    button->setCursor(control.cursor == Cursor::PointingHand ? Qt::PointingHandCursor
                      : control.cursor == Cursor::Help       ? Qt::WhatsThisCursor
                                                             : Qt::ArrowCursor);
    button->setAutoDefault(false);
    return button;
}

// A label sizes itself to its text, which shows whole in the designed box.
QLabel* label(QWidget* parent, const Control& control) {
    auto* label = new QLabel(text(control.text), parent);
    label->setObjectName(text(control.name));
    const QFont font = control.look == Look::Large ? windowFont(kLargePixelSize) : label->font();
    label->setFont(fitted(font, label->text(), window::layout::captionRoom(control)));
    if (control.look == Look::Red) setTextColour(label, kRed);
    label->move(control.left, control.top);
    label->adjustSize();
    return label;
}

// A framed panel only draws a raised frame; the buttons placed after it lie on top.
QFrame* framedPanel(QWidget* parent, const Control& control) {
    auto* panel = place(new QFrame(parent), control);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

// An edit box for a number, which takes full-width digits as ASCII ones.
QLineEdit* editBox(QWidget* parent, const Control& control) {
    auto* box = place(new QLineEdit(text(control.text), parent), control);
    box->setValidator(new HalfWidthNumbers(box));
    return box;
}

// Widens an edit box to the left, its right edge kept, where the face needs more room than its
// designed width for the text to show whole, as QLineEdit lays out its text.
void widenToShow(QLineEdit* box, const QString& text) {
    constexpr int kLineEditMargin = 2;  // QLineEdit's own, on either side of its text
    constexpr int kCursorWidth = 1;
    const QMargins textMargins = box->textMargins();
    const QMargins contents = box->contentsMargins();
    const int width = box->fontMetrics().horizontalAdvance(text) + 2 * kLineEditMargin +
                      kCursorWidth + textMargins.left() + textMargins.right() + contents.left() +
                      contents.right();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    option.state |= QStyle::State_Sunken;
    const int needed =
        box->style()
            ->sizeFromContents(QStyle::CT_LineEdit, &option, {width, box->height()}, box)
            .width();
    if (needed > box->width())
        box->setGeometry(box->geometry().adjusted(box->width() - needed, 0, 0, 0));
}

// The read-only file name box of a page. A long path wraps over more lines than the box shows:
// it shows the last ones, which hold the file's name.
QPlainTextEdit* fileNameBox(QWidget* parent, const Control& control) {
    auto* box = place(new QPlainTextEdit(text(control.text), parent), control);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setBackground(box, light3d());
    if (control.look == Look::ButtonText) setTextColour(box, buttonText());
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        box->moveCursor(QTextCursor::End);
        box->ensureCursorVisible();
    });
    return box;
}

// The Tab key enters a radio group on its checked item, the group counting as one control; the
// other items take the focus by the mouse or the arrow keys. Qt leaves the Tab key to the item
// focused last, which may be one the user pressed without choosing it.
void tabToCheckedItem(QButtonGroup* group) {
    for (QAbstractButton* item : group->buttons())
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

QGroupBox* radioGroup(QWidget* parent, const Control& control) {
    auto* box = place(new QGroupBox(text(control.text), parent), control);
    setFill(box, kSilver);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const std::string_view item : control.items) {
        auto* radio = new QRadioButton(text(item), box);
        radio->setGeometry(8, window::layout::kRadioItemTop + id * window::layout::kRadioItemHeight,
                           control.width - 10, window::layout::kRadioItemHeight);
        group->addButton(radio, id++);
    }
    // The items share one font, at which each shows whole beside its indicator.
    QFont font = box->font();
    for (const QAbstractButton* item : group->buttons()) {
        const int width = item->fontMetrics().horizontalAdvance(item->text());
        font = fitted(font, item->text(), item->width() - (item->sizeHint().width() - width));
    }
    for (QAbstractButton* item : group->buttons()) item->setFont(font);
    group->button(0)->setChecked(true);
    tabToCheckedItem(group);
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group] { tabToCheckedItem(group); });
    QObject::connect(group, &QButtonGroup::buttonReleased, group,
                     [group] { tabToCheckedItem(group); });
    return box;
}

// The pictures of the image controls.
QLabel* image(QWidget* parent, const Control& control) {
    const std::map<std::string_view, std::function<QPixmap()>> pictures = {
        {"Image5", pictures::icon}, {"Image3", pictures::nomograph}, {"Image1", pictures::logo}};
    auto* image = place(new QLabel(parent), control);
    image->setPixmap(pictures.at(control.name)());
    image->setAlignment(control.look == Look::Centred ? Qt::AlignCenter
                                                      : Qt::AlignLeft | Qt::AlignTop);
    return image;
}

QTabWidget* pageControl(QWidget* parent, const Control& control) {
    auto* pages = place(new QTabWidget(parent), control);
    pages->setAutoFillBackground(true);
    // A tab under the mouse shows its caption in the highlight colour.
    pages->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab:hover:!selected { color: palette(highlight); }"));
    return pages;
}

QWidget* page(QWidget* pages, const Control& control) {
    auto* sheet = new QWidget;
    sheet->setObjectName(text(control.name));
    setFill(sheet, buttonFace());
    static_cast<QTabWidget*>(pages)->addTab(sheet, text(control.text));
    return sheet;
}

QWidget* groupBox(QWidget* parent, const Control& control) {
    auto* group = place(new QGroupBox(text(control.text), parent), control);
    setFill(group, kSilver);
    return group;
}

}  // namespace

void TForm1::createWindow() {
    setObjectName(text(window::layout::kWindow));
    setWindowTitle(text(window::texts::kCaption));
    setWindowIcon(QIcon(pictures::icon()));
    // The program's one window gives its font to the program: Qt's own windows (menus, the
    // questions of its dialogs) take the application's font, not their owner's.
    QApplication::setFont(windowFont());
    setFont(windowFont());
    resize(kClientSize);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    createControls();
    showPages(form_.pages());
    setFocusOrder();
}

void TForm1::createControls() {
    std::map<std::string_view, QWidget*> made = {{window::layout::kWindow, this}};
    for (const Control& control : window::layout::controls()) {
        QWidget* parent = made.at(control.parent);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case Kind::PageControl:
                widget = pageControl(parent, control);
                break;
            case Kind::TabSheet:
                widget = page(parent, control);
                break;
            case Kind::PushButton:
                widget = pushButton(parent, control);
                break;
            case Kind::Image:
                widget = image(parent, control);
                break;
            case Kind::Panel:
                widget = place(new QWidget(parent), control);
                break;
            case Kind::FramedPanel:
                widget = framedPanel(parent, control);
                break;
            case Kind::GroupBox:
                widget = groupBox(parent, control);
                break;
            case Kind::RadioGroup:
                widget = radioGroup(parent, control);
                break;
            case Kind::Edit:
                widget = editBox(parent, control);
                break;
            case Kind::Label:
                widget = label(parent, control);
                break;
            case Kind::FileNameBox:
                widget = fileNameBox(parent, control);
                break;
            case Kind::EditableGrid:
            case Kind::ReadOnlyGrid: {
                const bool input = control.kind == Kind::EditableGrid;
                auto* grid = place(
                    new StringGrid(form_.table(input ? window::Grid::Input : window::Grid::Results),
                                   input, parent),
                    control);
                setBackground(grid, control.look == Look::White ? kWhite : kCream);
                widget = grid;
                break;
            }
        }
        // The count reads as part of its caption.
        if (!control.fontOf.empty()) widget->setFont(made.at(control.fontOf)->font());
        made[control.name] = widget;
    }
    const auto find = [&made](const char* name) { return made.at(name); };
    PageControl1 = static_cast<QTabWidget*>(find("PageControl1"));
    StringGrid1 = static_cast<StringGrid*>(find("StringGrid1"));
    StringGrid2 = static_cast<StringGrid*>(find("StringGrid2"));
    Edit1 = static_cast<QLineEdit*>(find("Edit1"));
    Edit2 = static_cast<QLineEdit*>(find("Edit2"));
    Edit3 = static_cast<QLineEdit*>(find("Edit3"));
    Edit4 = static_cast<QLineEdit*>(find("Edit4"));
    unitItems_ = find("RadioGroup1")->findChild<QButtonGroup*>();
    correctionItems_ = find("RadioGroup2")->findChild<QButtonGroup*>();
    widenToShow(Edit4, QString::number(kMaxDataCountLimit));

    // A right click on the input page opens no menu, neither on the page nor on any of its
    // controls.
    QWidget* inputPage = find("TabSheet2");
    inputPage->setContextMenuPolicy(Qt::PreventContextMenu);
    for (QWidget* child : inputPage->findChildren<QWidget*>())
        child->setContextMenuPolicy(Qt::PreventContextMenu);

    // The result table's context menu, its keys shown beside the items.
    PopupMenu1 = new QMenu(StringGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    std::map<std::string_view, QAction*> items;
    for (const window::layout::MenuItem& each : window::layout::popupMenu()) {
        if (each.name.empty()) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* action = PopupMenu1->addAction(text(each.text));
        action->setObjectName(text(each.name));
        action->setShortcut(QKeySequence(text(each.keys), QKeySequence::PortableText));
        action->setShortcutVisibleInContextMenu(true);
        items[each.name] = action;
    }
    Copy1 = items.at("Copy1");
    SelectAll1 = items.at("SelectAll1");
    Nomograph1 = items.at("Nomograph1");
    Curves1 = items.at("Curves1");
    // Shift+Enter is the grid's own key (either Enter); the item only shows it.
    Curves1->setShortcutContext(Qt::WidgetShortcut);
    StringGrid2->setContextMenuPolicy(Qt::CustomContextMenu);

    // The user guide, by F1 wherever the window is active.
    Guide1 = new QAction(text(window::texts::kGuideTitle), this);
    Guide1->setObjectName(QStringLiteral("Guide1"));
    Guide1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Guide1);
}

// Tab moves through each parent's controls in their focus order, into the controls a page,
// group or panel holds, a radio group being its items; the pages in turn after the tab row.
void TForm1::setFocusOrder() {
    using window::layout::kNoFocus;
    QList<QWidget*> order;
    const std::function<void(std::string_view)> walk = [&](std::string_view parent) {
        std::vector<const Control*> children;
        for (const Control& control : window::layout::controls())
            if (control.parent == parent) children.push_back(&control);
        std::stable_sort(children.begin(), children.end(),
                         [](const Control* a, const Control* b) { return a->focus < b->focus; });
        for (const Control* control : children) {
            auto* widget = findChild<QWidget*>(text(control->name));
            if (control->kind == Kind::PageControl)
                order << PageControl1->tabBar();
            else if (control->kind == Kind::RadioGroup)
                for (QAbstractButton* item : widget->findChild<QButtonGroup*>()->buttons())
                    order << item;
            else if (control->focus != kNoFocus && widget->focusPolicy() != Qt::NoFocus)
                order << widget;
            walk(control->name);
        }
    };
    walk(window::layout::kWindow);
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}
