#include "ui/print_commands.h"

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
void PrintDialog::printListing(Dialogs& dialogs, const Listing& listing) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) throw print_failures::noDefaultPrinter();
    if (!printer_) printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    if (!dialogs.print(*printer_)) return;
    PainterSurface surface(*printer_);
    PrintStream stream(surface);
    listing(stream);
    surface.end();
}

}  // namespace talveno::ui
