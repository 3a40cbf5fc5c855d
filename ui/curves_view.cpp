#include "ui/curves_view.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "window/curves_page.h"

namespace talveno::ui {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The boxes of each chart on a line of their own: four to a line.
constexpr int kBoxesPerLine = 4;

}  // namespace

CurvesView::CurvesView(QWidget* owner)
    : DrawingWindow(owner, QStringLiteral("CurvesView"), window::CurvesPage::kSize) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const window::CurvesBoxLabel& box = window::kCurvesBoxes[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(text(box.name));
        edit->setAccessibleName(text(box.label.empty() ? box.unit : box.label));
        edit->setMinimumWidth(box.name.starts_with("Further") ? 110 : 56);
        connect(edit, &QLineEdit::returnPressed, this, &CurvesView::applyRequested);
        const int line = int(i) / kBoxesPerLine;
        const int column = 3 * (int(i) % kBoxesPerLine);
        auto* before = new QLabel(text(box.label), this);
        before->setBuddy(edit);
        grid->addWidget(before, line, column, Qt::AlignRight);
        grid->addWidget(edit, line, column + 1);
        grid->addWidget(new QLabel(text(box.unit), this), line, column + 2);
        boxes_[i] = edit;
    }
    grid->setColumnStretch(3 * kBoxesPerLine, 1);
    top()->addLayout(grid);
    for (const window::CurvesButton& each : window::kCurvesButtons)
        if (each.name != "CurvesCloseButton")
            addButton(std::string(each.name).c_str(), text(each.caption));
    QWidget* previous = boxes_.back();
    for (const window::CurvesButton& each : window::kCurvesButtons) {
        QWidget* next = button(each.name == "CurvesCloseButton" ? "CloseButton"
                                                                : std::string(each.name).c_str());
        setTabOrder(previous, next);
        previous = next;
    }
    for (std::size_t i = 1; i < boxes_.size(); ++i) setTabOrder(boxes_[i - 1], boxes_[i]);
    button("CloseButton")->setObjectName(QStringLiteral("CurvesCloseButton"));
}

CurvesView::~CurvesView() = default;

void CurvesView::showCurves(window::CurvesView curves) {
    curves_ = std::make_unique<window::CurvesView>(std::move(curves));
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setText(QString::fromStdString(curves_->texts()[i]));
    const window::CurvesView& shown = *curves_;
    setDrawing([&shown](window::Canvas& canvas) { window::CurvesPage(shown).draw(canvas); },
               text(shown.title()));
    open();
}

void CurvesView::apply() {
    window::CurvesTexts texts;
    for (std::size_t i = 0; i < boxes_.size(); ++i) texts[i] = boxes_[i]->text().toStdString();
    curves_->setTexts(texts);
    setDrawing(drawing(), windowTitle());
}

void CurvesView::saveCsv(Dialogs& dialogs) {
    const auto path = chooseFileToSave(dialogs, csvDialog);
    if (path) writeFile(*path, QByteArray::fromStdString(curves_->csv()));
}

void CurvesView::copy() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(curves_->tabSeparated()));
}

}  // namespace talveno::ui
