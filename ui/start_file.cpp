// The window opened on a data file given on the command line, an input data file or a result
// file, told apart by the header line.
#include <QButtonGroup>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <string_view>
#include <utility>

#include "core/failure.h"
#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "posix/file_system.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"
#include "ui/local_paths.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

using namespace talveno;

namespace {

enum class StartFileKind { Input, ResultInMpa, ResultInKgf, Other };

// Line `index` (from 0) of a text, without its line end: LF, or CR LF.
std::string_view lineOf(std::string_view text, int index) {
    for (; index > 0; --index) {
        const std::size_t end = text.find('\n');
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    text = text.substr(0, text.find('\n'));
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
}

// The file's kind by its first line, and for a result file by its unit line too; with CR LF or
// LF line ends. A file that cannot be opened or read throws its file message.
StartFileKind startFileKind(const std::string& path) {
    static const std::string inputLines = inputDataFileBytes(layouts::makeInputTable());
    file_system::InputFile file(path, file_system::Readable::RegularFile);
    // The longest two header lines are 146 bytes with their CR LF.
    std::array<char, 256> head{};
    std::size_t size = 0;
    while (size < head.size()) {
        const std::size_t got = file.read(head.data() + size, head.size() - size);
        if (got == 0) break;
        size += got;
    }
    const std::string_view lines(head.data(), size);
    if (lineOf(lines, 0) == lineOf(inputLines, 0)) return StartFileKind::Input;
    const std::string_view mpaLines = resultFileHeaderLines(StiffnessUnit::Mpa);
    const std::string_view kgfLines = resultFileHeaderLines(StiffnessUnit::KgfPerCm2);
    if (lineOf(lines, 0) != lineOf(mpaLines, 0)) return StartFileKind::Other;
    if (lineOf(lines, 1) == lineOf(mpaLines, 1)) return StartFileKind::ResultInMpa;
    if (lineOf(lines, 1) == lineOf(kgfLines, 1)) return StartFileKind::ResultInKgf;
    return StartFileKind::Other;
}

}  // namespace

void TForm1::openStartFile(const QString& path) {
    openStartFile(ui::localPath(path));
}

// The open dialog keeps the path, as if it had been chosen there: the next read starts from it.
void TForm1::openStartFile(const std::string& path) {
    startFile_ = path;
    OpenDialog1.fileName = ui::shownPath(path);
    run(&TForm1::readStartFile);
}

// The file is read before anything changes, so a failure leaves the start page as it was.
void TForm1::readStartFile() {
    const QString path = OpenDialog1.fileName;
    const std::string& file = startFile_;
    const StartFileKind kind = startFileKind(file);
    if (kind == StartFileKind::Other)
        throw Failure("'" + file + "' は入力データファイルでも結果ファイルでもありません");
    const auto raiseCountTo = [this](std::size_t rows) {
        if (static_cast<long long>(rows) > parseMaxDataCount(Edit4->text().toStdString()))
            Edit4->setText(QString::number(rows));
    };
    if (kind == StartFileKind::Input) {
        const std::vector<InputRecord> records = readInputDataFile(file);
        raiseCountTo(records.size());
        BitBtn1Click();
        applyInputDataFile(input_, parseMaxDataCount(Edit4->text().toStdString()), records);
        StringGrid1->showTable();
        Memo1->setPlainText(path);
        return;
    }
    const std::vector<ResultRecord> records = readResultFile(file);
    const StiffnessUnit unit =
        kind == StartFileKind::ResultInMpa ? StiffnessUnit::Mpa : StiffnessUnit::KgfPerCm2;
    // The path was the result read's choice, not the input read's.
    OpenDialog2.fileName = std::exchange(OpenDialog1.fileName, QString());
    raiseCountTo(records.size());
    // The unit chosen is the file's, as after a run in it: saving and printing write its unit
    // line over its values.
    unitItems_->button(unit == StiffnessUnit::Mpa ? 0 : 1)->setChecked(true);
    BitBtn1Click();
    const int n = parseMaxDataCount(Edit4->text().toStdString());
    showResultPage(n, unit);
    applyResultFile(result_, n, records);
    showTables();
    Memo2->setPlainText(path);
}
