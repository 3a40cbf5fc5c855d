#include "ui/print_commands.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "print/print_failures.h"
#include "print/print_stream.h"
#include "ui/painter_surface.h"

namespace talveno::ui {

PrintDialog::PrintDialog() = default;
PrintDialog::~PrintDialog() = default;

// A printer made without a printer behind it would write a PDF file instead, so the default
// printer is asked for first.
bool PrintDialog::choosePrinter(Dialogs& dialogs) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) throw print_failures::noDefaultPrinter();
    if (!printer_) printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    return dialogs.print(*printer_);
}

void PrintDialog::printListing(Dialogs& dialogs, const Listing& listing) {
    if (!choosePrinter(dialogs)) return;
    PainterSurface surface(*printer_);
    PrintStream stream(surface);
    listing(stream);
    surface.end();
}

void PrintDialog::printPicture(Dialogs& dialogs, const Picture& picture) {
    if (!choosePrinter(dialogs)) return;
    QPainter painter;
    if (!painter.begin(printer_.get())) throw print_failures::printJobFailed();
    picture(painter, QRectF(0, 0, printer_->width(), printer_->height()));
    if (!painter.end()) throw print_failures::printJobFailed();
}

}  // namespace talveno::ui
