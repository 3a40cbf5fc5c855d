#pragma once

#include <QStringList>

#include "ui/dialogs.h"

class QWidget;

namespace talveno::ui {

// The dialogs as Qt's message boxes and file dialogs, owned by the main window.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    void information(const QString& text) override;
    bool confirm(const QString& question) override;
    void error(const QString& message) override;
    std::optional<QString> openFileName(const QString& filter, const QString& startPath) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& defaultExtension,
                                        const QString& startPath) override;
    // Qt's print dialog without printing to a file, page ranges, selection or current page.
    bool print(QPrinter& printer) override;
    void endProcess() override;

  private:
    QWidget* owner_;
};

// A filter list "description|pattern|..." as Qt's name filters "description (pattern)"; the
// dialogs show the descriptions alone.
QStringList qtNameFilters(const QString& filter);

}  // namespace talveno::ui
