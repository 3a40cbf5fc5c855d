// The window opened on a data file given on the command line.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "files/disk_files.h"
#include "files/input_data_file.h"
#include "tables/max_data_count.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

using namespace talveno;

// The open dialog keeps the path, as if it had been chosen there: the next read starts from it.
void TForm1::openStartFile(const QString& path) {
    OpenDialog1.fileName = path;
    run(&TForm1::readStartFile);
}

// The file is read before anything changes, so a failure leaves the start page as it was.
void TForm1::readStartFile() {
    const QString path = OpenDialog1.fileName;
    const std::vector<InputRecord> records = readInputDataFile(path.toStdString());
    const auto rows = static_cast<long long>(records.size());
    if (rows > parseMaxDataCount(Edit4->text().toStdString()))
        Edit4->setText(QString::number(rows));
    BitBtn1Click();
    applyInputDataFile(input_, parseMaxDataCount(Edit4->text().toStdString()), records);
    StringGrid1->showTable();
    Memo1->setPlainText(path);
}
