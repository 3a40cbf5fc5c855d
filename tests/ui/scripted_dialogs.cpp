#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QTimer>

#include "ui/qt_dialogs.h"

namespace talveno::ui::testing {

namespace {

const char* name(int kind) {
    static const char* const names[] = {"information", "confirm",     "error", "open file",
                                        "save file",   "end process", "print"};
    return names[kind];
}

}  // namespace

void ScriptedDialogs::expectInformation(const QString& text) {
    script_.push_back({Kind::Information, text});
}

void ScriptedDialogs::expectConfirm(const QString& question, bool answer) {
    script_.push_back({Kind::Confirm, question, answer});
}

void ScriptedDialogs::expectError(const QString& message) {
    script_.push_back({Kind::Error, message});
}

void ScriptedDialogs::expectEndProcess() {
    script_.push_back({Kind::EndProcess, {}});
}

void ScriptedDialogs::expectOpenFile(const QString& filter, const QString& startPath,
                                     std::optional<QString> answer) {
    script_.push_back({Kind::OpenFile, filter, false, startPath, {}, std::move(answer)});
}

void ScriptedDialogs::expectSaveFile(const QString& filter, const QString& defaultExtension,
                                     const QString& startPath, std::optional<QString> answer) {
    script_.push_back(
        {Kind::SaveFile, filter, false, startPath, defaultExtension, std::move(answer)});
}

void ScriptedDialogs::expectPrintDialog(std::function<bool(QPrintDialog&)> answer) {
    Step step{Kind::Print, {}};
    step.printAnswer = std::move(answer);
    script_.push_back(std::move(step));
}

QString ScriptedDialogs::pending() const {
    QString lines;
    for (const Step& step : script_)
        lines += QString::fromLatin1(name(int(step.kind))) + ": " + step.text + "\n";
    return lines;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString& text) {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr)
        << "a " << name(int(kind)) << " dialog under the wait cursor";
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected " << name(int(kind)) << " dialog: " << text.toStdString();
        return {};
    }
    Step step = script_.front();
    script_.pop_front();
    EXPECT_EQ(name(int(step.kind)), std::string(name(int(kind))));
    if (!step.text.isNull()) {
        EXPECT_EQ(step.text.toStdString(), text.toStdString()) << name(int(kind));
    }
    return step;
}

void ScriptedDialogs::information(const QString& text) {
    take(Kind::Information, text);
    shownInformation << text;
}

bool ScriptedDialogs::confirm(const QString& question) {
    const auto step = take(Kind::Confirm, question);
    return step && step->answer;
}

void ScriptedDialogs::error(const QString& message) {
    take(Kind::Error, message);
}

std::optional<QString> ScriptedDialogs::openFileName(const QString& filter,
                                                     const QString& startPath) {
    const auto step = take(Kind::OpenFile, filter);
    if (!step) return {};
    if (!step->startPath.isNull()) {
        EXPECT_EQ(startPath.toStdString(), step->startPath.toStdString());
    }
    return step->path;
}

std::optional<QString> ScriptedDialogs::saveFileName(const QString& filter,
                                                     const QString& defaultExtension,
                                                     const QString& startPath) {
    const auto step = take(Kind::SaveFile, filter);
    if (!step) return {};
    EXPECT_EQ(defaultExtension.toStdString(), step->defaultExtension.toStdString());
    if (!step->startPath.isNull()) {
        EXPECT_EQ(startPath.toStdString(), step->startPath.toStdString());
    }
    return step->path;
}

// The answer is given as soon as the dialog is the active modal window.
bool ScriptedDialogs::print(QPrinter& printer) {
    const auto step = take(Kind::Print, {});
    if (!step) return false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer.stop();
        step->printAnswer(*dialog) ? dialog->accept() : dialog->reject();
    });
    timer.start(10);
    QtDialogs real(nullptr);
    return real.print(printer);
}

void ScriptedDialogs::endProcess() {
    take(Kind::EndProcess, {});
}

}  // namespace talveno::ui::testing
