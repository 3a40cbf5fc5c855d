#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "ui/dialogs.h"

class QPrintDialog;

namespace talveno::ui::testing {

// While true, a real dialog may open: the test that sets it answers the dialog itself.
inline bool realDialogsAllowed = false;

// Dialogs whose answers a test scripts in advance. A dialog that opens out of turn, with
// another text or under the wait cursor fails the test; so does one that was scripted and
// never opened.
class ScriptedDialogs : public Dialogs {
  public:
    // A null text accepts any text.
    void expectInformation(const QString& text);
    void expectConfirm(const QString& question, bool answer);
    void expectError(const QString& message);
    void expectEndProcess();
    // A file dialog with this filter that opens with startPath (a null startPath accepts any)
    // and answers the path, or is cancelled when the answer is empty.
    void expectOpenFile(const QString& filter, const QString& startPath,
                        std::optional<QString> answer);
    void expectSaveFile(const QString& filter, const QString& defaultExtension,
                        const QString& startPath, std::optional<QString> answer);
    // The program's real print dialog; `answer` runs while it is open and says whether the
    // test accepts it (true) or cancels it.
    void expectPrintDialog(std::function<bool(QPrintDialog&)> answer);

    // What was scripted and has not opened yet, one line each; empty when all opened.
    QString pending() const;
    // The texts that the information box showed, in order.
    QStringList shownInformation;

    void information(const QString& text) override;
    bool confirm(const QString& question) override;
    void error(const QString& message) override;
    std::optional<QString> openFileName(const QString& filter, const QString& startPath) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& defaultExtension,
                                        const QString& startPath) override;
    bool print(QPrinter& printer) override;
    void endProcess() override;

  private:
    enum class Kind { Information, Confirm, Error, OpenFile, SaveFile, EndProcess, Print };
    struct Step {
        Kind kind;
        QString text;
        bool answer = false;
        QString startPath = {};
        QString defaultExtension = {};
        std::optional<QString> path = {};
        std::function<bool(QPrintDialog&)> printAnswer = {};
    };
    // The next scripted step when it is of this kind and text; fails the test otherwise.
    std::optional<Step> take(Kind kind, const QString& text);

    std::deque<Step> script_;
};

}  // namespace talveno::ui::testing
