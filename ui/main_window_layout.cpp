// The controls of the main window: names, texts, places, sizes, looks and focus order.
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

#include "tables/layouts.h"
#include "tables/max_data_count.h"
#include "ui/look.h"
#include "ui/main_window.h"
#include "ui/number_input.h"
#include "ui/pictures.h"
#include "ui/string_grid.h"

using namespace talveno::ui;

namespace {

constexpr QSize kClientSize{775, 425};  // of the 783 x 459 outer size
constexpr int kRadioItemHeight = 24;    // each item an equal share of the group below its title
constexpr int kRadioTopMargin = 13;
constexpr int kCaptionClearance = 4;  // between a caption and each side of its button

template <typename W>
W* place(W* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* pushButton(QWidget* parent, const char* name, const char* text, QRect geometry,
                        Qt::CursorShape cursor) {
    auto* button = place(new QPushButton(QString::fromUtf8(text), parent), name, geometry);
    button->setFont(
        fitted(button->font(), button->text(), geometry.width() - 2 * kCaptionClearance));
    button->setCursor(cursor);
    button->setAutoDefault(false);
    return button;
}

enum class LabelLook { Plain, Large, Red };

// A label sizes itself to its text, which shows whole in the designed box.
QLabel* label(QWidget* parent, const char* name, const char* text, QRect box,
              LabelLook look = LabelLook::Plain) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    const QFont font = look == LabelLook::Large ? windowFont(kLargePixelSize) : label->font();
    label->setFont(fitted(font, label->text(), box.width()));
    if (look == LabelLook::Red) setTextColour(label, kRed);
    label->move(box.topLeft());
    label->adjustSize();
    return label;
}

// A framed panel only draws a raised frame; the buttons placed after it lie on top.
QFrame* framedPanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = place(new QFrame(parent), name, geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

// An edit box for a number, which takes full-width digits as ASCII ones.
QLineEdit* editBox(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* box = place(new QLineEdit(QString::fromUtf8(text), parent), name, geometry);
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
QPlainTextEdit* fileNameBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = place(new QPlainTextEdit(QString::fromLatin1(name), parent), name, geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setBackground(box, light3d());
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

QGroupBox* radioGroup(QWidget* parent, const char* name, const char* title,
                      std::initializer_list<const char*> items, QRect geometry,
                      QButtonGroup*& group) {
    auto* box = place(new QGroupBox(QString::fromUtf8(title), parent), name, geometry);
    setFill(box, kSilver);
    group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(QString::fromUtf8(item), box);
        radio->setGeometry(8, kRadioTopMargin + id * kRadioItemHeight, geometry.width() - 10,
                           kRadioItemHeight);
        group->addButton(radio, id++);
    }
    // The items share one font, at which each shows whole beside its indicator.
    QFont font = box->font();
    for (const QAbstractButton* item : group->buttons()) {
        const int text = item->fontMetrics().horizontalAdvance(item->text());
        font = fitted(font, item->text(), item->width() - (item->sizeHint().width() - text));
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

QLabel* image(QWidget* parent, const char* name, QRect geometry, const QPixmap& picture,
              Qt::Alignment alignment) {
    auto* image = place(new QLabel(parent), name, geometry);
    image->setPixmap(picture);
    image->setAlignment(alignment);
    return image;
}

QWidget* page(QTabWidget* pages, const char* name, const char* caption) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(name));
    setFill(sheet, buttonFace());
    pages->addTab(sheet, QString::fromUtf8(caption));
    return sheet;
}

}  // namespace

void TForm1::createWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Talveno ver1.7  2008.03.02"));
    setWindowIcon(QIcon(pictures::icon()));
    // The program's one window gives its font to the program: Qt's own windows (menus, the
    // questions of its dialogs) take the application's font, not their owner's.
    QApplication::setFont(windowFont());
    setFont(windowFont());
    resize(kClientSize);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    // Beneath the page container, which covers it.
    Image5 =
        image(this, "Image5", {43, 12, 40, 41}, pictures::icon(), Qt::AlignLeft | Qt::AlignTop);

    PageControl1 = place(new QTabWidget(this), "PageControl1", {7, 7, 761, 410});
    PageControl1->setAutoFillBackground(true);
    // A tab under the mouse shows its caption in the highlight colour.
    PageControl1->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab:hover:!selected { color: palette(highlight); }"));
    createStartPage();
    createInputPage();
    createResultPage();
    setTabShown(TabSheet2, false);
    setTabShown(TabSheet3, false);
    PageControl1->setCurrentWidget(TabSheet1);

    // Over the right end of the tab row, so that it shows on every page.
    Button1 = pushButton(this, "Button1", "終　了", {693, 6, 75, 20}, Qt::PointingHandCursor);
    Button1->raise();
    setFocusOrder();
}

void TForm1::createStartPage() {
    TabSheet1 = page(PageControl1, "TabSheet1", "スタート");
    // Wider than the page, whose border cuts off its right end.
    Panel1 = place(new QWidget(TabSheet1), "Panel1", {0, 8, 782, 314});
    Image3 = image(Panel1, "Image3", {1, 1, 780, 312}, pictures::nomograph(), Qt::AlignCenter);
    Image1 =
        image(Panel1, "Image1", {578, 93, 143, 76}, pictures::logo(), Qt::AlignLeft | Qt::AlignTop);

    GroupBox2 = place(new QGroupBox(QStringLiteral("最大データ数"), Panel1), "GroupBox2",
                      {504, 176, 209, 49});
    setFill(GroupBox2, kSilver);
    Edit4 = editBox(GroupBox2, "Edit4", "50", {20, 21, 45, 20});
    widenToShow(Edit4, QString::number(talveno::kMaxDataCountLimit));
    Label16 = label(GroupBox2, "Label16", "(max:10,000個））", {76, 24, 83, 12});
    Button12 = pushButton(GroupBox2, "Button12", "Help", {164, 16, 33, 25}, Qt::ArrowCursor);

    RadioGroup1 = radioGroup(Panel1, "RadioGroup1", "単　位", {"MPa", "kgf/cm2"},
                             {506, 232, 79, 65}, unitItems_);
    RadioGroup2 = radioGroup(Panel1, "RadioGroup2", "Van Draatらの補正", {"なし", "あり"},
                             {600, 232, 113, 65}, correctionItems_);
    // Inside the frame of RadioGroup2, right of its items.
    Button11 = pushButton(Panel1, "Button11", "Help", {668, 264, 33, 25}, Qt::ArrowCursor);
    Button11->raise();

    BitBtn1 = pushButton(TabSheet1, "BitBtn1", "ここからスタート！", {325, 339, 105, 25},
                         Qt::PointingHandCursor);
}

void TForm1::createInputPage() {
    TabSheet2 = page(PageControl1, "TabSheet2", "データ入力と計算");
    Label4 =
        label(TabSheet2, "Label4", "【計算データの入力】", {56, 40, 138, 16}, LabelLook::Large);
    Label6 = label(TabSheet2, "Label6", "■　最大データ数：", {203, 42, 95, 12}, LabelLook::Red);
    Label18 = label(TabSheet2, "Label18", "", {300, 42, 39, 12}, LabelLook::Red);
    Label18->setFont(Label6->font());  // the count reads as part of its caption
    Label9 = label(TabSheet2, "Label9", "ファイル名", {416, 36, 53, 12});
    Label10 = label(TabSheet2, "Label10", "*.dat", {430, 50, 24, 12});
    Memo1 = fileNameBox(TabSheet2, "Memo1", {496, 32, 217, 33});
    setTextColour(Memo1, buttonText());

    StringGrid1 = place(new StringGrid(input_, true, TabSheet2), "StringGrid1", {56, 80, 657, 153});
    setBackground(StringGrid1, kWhite);

    Panel5 = framedPanel(TabSheet2, "Panel5", {56, 248, 201, 105});
    BitBtn3 = pushButton(TabSheet2, "BitBtn3", "保　存", {74, 265, 73, 33}, Qt::PointingHandCursor);
    BitBtn2 =
        pushButton(TabSheet2, "BitBtn2", "読み込み", {162, 265, 75, 33}, Qt::PointingHandCursor);
    Button3 = pushButton(TabSheet2, "Button3", "印　刷", {73, 305, 73, 33}, Qt::PointingHandCursor);

    // The row editing controls are children of their frame.
    Panel3 = framedPanel(TabSheet2, "Panel3", {264, 248, 321, 105});
    Button7 =
        pushButton(Panel3, "Button7", "１行目コピー", {16, 16, 73, 33}, Qt::PointingHandCursor);
    Button9 =
        pushButton(Panel3, "Button9", "任意行コピー", {103, 17, 74, 33}, Qt::PointingHandCursor);
    Edit1 = editBox(Panel3, "Edit1", "", {184, 27, 25, 20});
    Label2 = label(Panel3, "Label2", "行目", {216, 32, 24, 12});
    Button8 =
        pushButton(Panel3, "Button8", "部分クリア", {103, 57, 74, 33}, Qt::PointingHandCursor);
    Edit2 = editBox(Panel3, "Edit2", "", {184, 64, 25, 20});
    Label3 = label(Panel3, "Label3", "-", {215, 67, 6, 12});
    Edit3 = editBox(Panel3, "Edit3", "", {224, 64, 49, 20});
    Label15 = label(Panel3, "Label15", "行目", {280, 72, 24, 12});
    Button10 = pushButton(Panel3, "Button10", "Help", {249, 18, 48, 33}, Qt::WhatsThisCursor);
    // Inside the frame of Panel3, below Button7, but a child of the page.
    Button2 =
        pushButton(TabSheet2, "Button2", "全部クリア", {280, 305, 73, 33}, Qt::PointingHandCursor);

    Panel4 = framedPanel(TabSheet2, "Panel4", {592, 248, 123, 105});
    BitBtn4 =
        pushButton(TabSheet2, "BitBtn4", "計算実行", {614, 265, 78, 33}, Qt::PointingHandCursor);
    Button6 = pushButton(TabSheet2, "Button6", "Help", {614, 305, 78, 33}, Qt::WhatsThisCursor);

    // A right click on this page opens no menu, neither on the page nor on any of its controls.
    TabSheet2->setContextMenuPolicy(Qt::PreventContextMenu);
    for (QWidget* child : TabSheet2->findChildren<QWidget*>())
        child->setContextMenuPolicy(Qt::PreventContextMenu);
}

void TForm1::createResultPage() {
    TabSheet3 = page(PageControl1, "TabSheet3", "結果の出力と表示");
    Label7 = label(TabSheet3, "Label7", "【計算結果】", {40, 40, 80, 16}, LabelLook::Large);
    Label8 = label(TabSheet3, "Label8", "■　最大データ数：", {133, 42, 95, 12}, LabelLook::Red);
    Label17 = label(TabSheet3, "Label17", "", {232, 43, 36, 12}, LabelLook::Red);
    Label17->setFont(Label8->font());  // the count reads as part of its caption
    Label11 = label(TabSheet3, "Label11", "ファイル名", {416, 36, 53, 12});
    Label12 = label(TabSheet3, "Label12", "", {430, 50, 0, 0});
    Memo2 = fileNameBox(TabSheet3, "Memo2", {496, 32, 217, 33});

    StringGrid2 =
        place(new StringGrid(result_, false, TabSheet3), "StringGrid2", {32, 88, 697, 153});
    setBackground(StringGrid2, kCream);

    Panel2 = framedPanel(TabSheet3, "Panel2", {32, 271, 449, 65});
    BitBtn6 =
        pushButton(TabSheet3, "BitBtn6", "保　存", {100, 287, 77, 33}, Qt::PointingHandCursor);
    BitBtn5 =
        pushButton(TabSheet3, "BitBtn5", "読み込み", {220, 287, 77, 33}, Qt::PointingHandCursor);
    Button4 =
        pushButton(TabSheet3, "Button4", "印　刷", {340, 287, 77, 33}, Qt::PointingHandCursor);
    Panel6 = framedPanel(TabSheet3, "Panel6", {496, 272, 113, 65});
    Button5 = pushButton(TabSheet3, "Button5", "Help", {526, 287, 51, 33}, Qt::WhatsThisCursor);

    // The result table's context menu, its keys shown beside the items.
    PopupMenu1 = new QMenu(StringGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](const char* name, const char* text, QKeySequence keys) {
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutVisibleInContextMenu(true);
        return action;
    };
    Copy1 = item("Copy1", "コピー", QKeySequence::Copy);
    SelectAll1 = item("SelectAll1", "すべて選択", QKeySequence::SelectAll);
    PopupMenu1->addSeparator();
    Nomograph1 = item("Nomograph1", "ノモグラフで確認", {});
    StringGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
}

// Tab moves through each parent's controls in their focus order, the pages in turn.
void TForm1::setFocusOrder() {
    const QList<QWidget*> order = {
        PageControl1->tabBar(),
        // start page: BitBtn1, then Panel1 with RadioGroup1, RadioGroup2, Button11, GroupBox2
        BitBtn1, unitItems_->button(0), unitItems_->button(1), correctionItems_->button(0),
        correctionItems_->button(1), Button11, Edit4, Button12,
        // input page
        StringGrid1, BitBtn2, BitBtn3, BitBtn4, Button2, Memo1, Button3, Button6,
        // Panel3
        Button7, Button8, Button9, Edit1, Edit2, Edit3, Button10,
        // result page
        StringGrid2, BitBtn5, BitBtn6, Memo2, Button4, Button5,
        // the window
        Button1};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}
