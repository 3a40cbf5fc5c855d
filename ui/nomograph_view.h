#pragma once

#include <QByteArray>
#include <QWidget>
#include <memory>

#include "ui/dialogs.h"
#include "window/nomograph_page.h"

class QPushButton;

namespace talveno::ui {

class PrintDialog;
using window::NomographPage;

// The window that shows a result row's look-up on the nomograph, with buttons to save it as
// PNG or PDF and to print it. A window of its own beside the main window, which owns it; it
// keeps the page it was given until it is given another. Opened, it has the keys on its close
// button; Tab goes round its buttons, and Escape closes it.
class NomographView : public QWidget {
    Q_OBJECT
  public:
    explicit NomographView(QWidget* owner);
    ~NomographView() override;

    // Shows the page, the window brought to the front.
    void showPage(NomographPage page);
    const NomographPage* page() const { return page_.get(); }

    // The save dialog, then the file written; nothing when the dialog is cancelled.
    void savePng(Dialogs& dialogs);
    void savePdf(Dialogs& dialogs);
    // The page printed through the print dialog, fitted to the printer's page.
    void print(Dialogs& dialogs, PrintDialog& printDialog);

    QPushButton* savePngButton() const { return savePng_; }
    QPushButton* savePdfButton() const { return savePdf_; }
    QPushButton* printButton() const { return print_; }

    // The file dialogs the view keeps between uses.
    FileDialog pngDialog{QStringLiteral("PNG 画像|*.png"), QStringLiteral("png"), {}};
    FileDialog pdfDialog{QStringLiteral("PDF|*.pdf"), QStringLiteral("pdf"), {}};

  signals:
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::unique_ptr<NomographPage> page_;
    bool opened_ = false;
    QWidget* canvas_;
    QPushButton* savePng_;
    QPushButton* savePdf_;
    QPushButton* print_;
    QPushButton* close_;
};

// The page as a PNG image, twice its own size in pixels.
QByteArray pngImage(const NomographPage& page);
// The page as a PDF file of one A4 page, landscape.
QByteArray pdfDocument(const NomographPage& page);

}  // namespace talveno::ui
