#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cstdlib>

#include "ui/look.h"
#include "window/file_filters.h"
#include "window/message_boxes.h"

namespace talveno::ui {

namespace {

// The boxes carry the program's name as title, as the platform does for a program that sets
// no title of its own.
QString applicationTitle() {
    return QApplication::applicationDisplayName();
}

void prepare(QDialog& dialog, const QString& title) {
    dialog.setWindowTitle(title);
    dialog.setFont(windowFont());
    dialog.setWindowModality(Qt::ApplicationModal);
}

// Qt's CUPS print dialog shows its page range group whatever the options say, each time it
// opens; the group is hidden once the dialog has set it up.
class SystemPrintDialog : public QPrintDialog {
  public:
    SystemPrintDialog(QPrinter& printer, QWidget* parent) : QPrintDialog(&printer, parent) {
        setOptions(PrintShowPageSize | PrintCollateCopies);
    }

    void setVisible(bool visible) override {
        QPrintDialog::setVisible(visible);
        if (auto* range = findChild<QWidget*>(QStringLiteral("gbPrintRange")); visible && range)
            range->hide();
    }
};

// A box centred on the screen, frame included. A message box takes its size as it opens, so
// it is centred only then.
template <typename Box>
class ScreenCentred : public Box {
  public:
    using Box::Box;

  protected:
    void showEvent(QShowEvent* event) override {
        Box::showEvent(event);
        if (QScreen* screen = this->screen()) {
            QRect frame = this->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            this->move(frame.topLeft());
        }
    }
};

// A file dialog with the filter list: its descriptions shown as they are given, without Qt's
// patterns after them.
void setFilters(QFileDialog& dialog, const QString& filter) {
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filter));
}

std::optional<QString> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

// The information box keeps every line of its text on one line: a message box would wrap the
// long lines of the help texts.
void QtDialogs::information(const QString& text) {
    ScreenCentred<QDialog> box(owner_);
    prepare(box, applicationTitle());
    auto* label = new QLabel(text, &box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    box.exec();  // Escape closes it as OK does
}

bool QtDialogs::confirm(const QString& question) {
    const window::boxes::Box& look = window::boxes::kConfirmation;
    ScreenCentred<QMessageBox> box(QMessageBox::Question, {}, question, QMessageBox::NoButton,
                                   owner_);
    prepare(box, QString::fromUtf8(look.title));
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok =
        box.addButton(QString::fromUtf8(look.buttons[0].caption), QMessageBox::AcceptRole);
    QPushButton* cancel =
        box.addButton(QString::fromUtf8(look.buttons[1].caption), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

void QtDialogs::error(const QString& message) {
    QMessageBox box(QMessageBox::Critical, {}, message, QMessageBox::Ok, owner_);
    prepare(box, applicationTitle());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> QtDialogs::openFileName(const QString& filter, const QString& startPath) {
    QFileDialog dialog(owner_);
    prepare(dialog, {});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist is taken too; reading it then says so.
    dialog.setFileMode(QFileDialog::AnyFile);
    setFilters(dialog, filter);
    if (!startPath.isEmpty()) dialog.selectFile(startPath);
    return chosenFile(dialog);
}

std::optional<QString> QtDialogs::saveFileName(const QString& filter,
                                               const QString& defaultExtension,
                                               const QString& startPath) {
    QFileDialog dialog(owner_);
    prepare(dialog, {});
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    setFilters(dialog, filter);
    dialog.setDefaultSuffix(defaultExtension);
    if (!startPath.isEmpty()) dialog.selectFile(startPath);
    return chosenFile(dialog);
}

bool QtDialogs::print(QPrinter& printer) {
    SystemPrintDialog dialog(printer, owner_);
    prepare(dialog, dialog.windowTitle());
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::endProcess() {
    std::_Exit(0);
}

QStringList qtNameFilters(const QString& filter) {
    QStringList filters;
    for (const window::FilterEntry& entry : window::filterEntries(filter.toStdString())) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << QString::fromStdString(pattern);
        filters << QString::fromStdString(entry.description) + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

}  // namespace talveno::ui
