#pragma once

#include <QString>
#include <optional>

#include "window/form.h"

class QPrinter;

// The modal dialogs the window's commands open, behind one interface so that the program uses
// Qt's boxes and dialogs and the tests script the answers.
namespace talveno::ui {

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The information box: the text, no icon, one OK button.
    virtual void information(const QString& text) = 0;
    // The confirmation box titled "確認": true for "OK", false for "キャンセル" or closing it.
    virtual bool confirm(const QString& question) = 0;
    // The error box: a failure's message as shown (full stop added), error icon, OK.
    virtual void error(const QString& message) = 0;
    // File dialogs with a filter list "description|pattern|description|pattern..."; each
    // returns the full path chosen, or nothing when cancelled.
    virtual std::optional<QString> openFileName(const QString& filter,
                                                const QString& startPath) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter,
                                                const QString& defaultExtension,
                                                const QString& startPath) = 0;
    // The print dialog on the printer: true when the user confirms it, the printer then
    // holding the printer and settings chosen; false when cancelled.
    virtual bool print(QPrinter& printer) = 0;
    // Ends the process at once: nothing is saved, nothing else is asked.
    virtual void endProcess() = 0;
};

// The path chosen in a file dialog, which opens with the path last chosen in it; nothing when
// the user cancels.
inline std::optional<QString> chooseFileToOpen(Dialogs& dialogs, window::FileDialog& dialog) {
    const auto path = dialogs.openFileName(QString::fromStdString(dialog.filter),
                                           QString::fromStdString(dialog.fileName));
    if (path) dialog.fileName = path->toStdString();
    return path;
}

inline std::optional<QString> chooseFileToSave(Dialogs& dialogs, window::FileDialog& dialog) {
    const auto path = dialogs.saveFileName(QString::fromStdString(dialog.filter),
                                           QString::fromStdString(dialog.defaultExtension),
                                           QString::fromStdString(dialog.fileName));
    if (path) dialog.fileName = path->toStdString();
    return path;
}

}  // namespace talveno::ui
