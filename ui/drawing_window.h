#pragma once

#include <QByteArray>
#include <QWidget>

#include "qt_paint/painter_canvas.h"
#include "ui/dialogs.h"

class QBoxLayout;
class QPushButton;

namespace talveno::ui {

class PrintDialog;

// A window of its own beside the main window, which owns it, showing one of the window layer's
// drawings at the size of the window, over a row of buttons. Opened, it has the keys on its close
// button; Tab goes round its controls, and Escape closes it.
class DrawingWindow : public QWidget {
    Q_OBJECT
  public:
    DrawingWindow(QWidget* owner, const QString& name, window::Size size);

    // The drawing shown, and the window's title; the window keeps it until it is given another.
    // A PDF of it bears the document title, the window's title where none is given.
    void setDrawing(Drawing draw, const QString& title, const QString& documentTitle = {});
    const Drawing& drawing() const { return draw_; }
    // Shows the window brought to the front: the first time at the drawing's own size where the
    // screen has room for it, else as large as the screen takes, centred on the screen.
    void open();

    // The save dialog, then the file written; nothing when the dialog is cancelled.
    void savePng(Dialogs& dialogs);
    void savePdf(Dialogs& dialogs);
    // The drawing printed through the print dialog, fitted to the printer's page.
    void print(Dialogs& dialogs, PrintDialog& printDialog);

    QPushButton* button(const char* name) const;

    // The file dialogs the window keeps between uses.
    window::FileDialog pngDialog = window::kPngDialog;
    window::FileDialog pdfDialog = window::kPdfDialog;

  signals:
    void closed();

  protected:
    // A button in the row under the drawing, with the pointing hand.
    QPushButton* addButton(const char* name, const QString& caption);
    // Where the controls above the drawing go.
    QBoxLayout* top() const { return top_; }
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    window::Size size_;
    Drawing draw_;
    QString documentTitle_;
    bool opened_ = false;
    QWidget* canvas_;
    QBoxLayout* top_;
    QBoxLayout* buttons_;
    QPushButton* close_ = nullptr;
};

// A drawing as a PNG image, twice its own size in pixels.
QByteArray pngImage(window::Size size, const Drawing& draw);
// A drawing as a PDF file of one A4 page, landscape, with its title.
QByteArray pdfDocument(window::Size size, const Drawing& draw, const QString& title);

// Writes a file as the window's savers do.
void writeFile(const QString& path, const QByteArray& bytes);

}  // namespace talveno::ui
