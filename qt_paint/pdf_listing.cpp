#include "qt_paint/pdf_listing.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QPdfWriter>

#include <optional>

#include "print/print_stream.h"
#include "qt_paint/painter_surface.h"

namespace talveno::ui {

struct OffscreenGui::Application {
    // The arguments outlive the application, as Qt requires; they choose the platform
    // whatever QT_QPA_PLATFORM says.
    char name[14] = "talveno-batch";
    char option[10] = "-platform";
    char platform[10] = "offscreen";
    char* argv[4] = {name, option, platform, nullptr};
    int argc = 3;
    QGuiApplication application{argc, argv};
};

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt's warnings about the desktop it misses (no runtime folder and the like) are not the
// command's to show; its critical messages are.
void criticalOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qtMessages(type, context, message);
}

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance()) return;
    qtMessages = qInstallMessageHandler(criticalOnly);
    application_ = std::make_unique<Application>();
}

OffscreenGui::~OffscreenGui() {
    application_.reset();
    if (qtMessages) qInstallMessageHandler(qtMessages);
    qtMessages = nullptr;
}

namespace {

// A device that hands every byte written to it on.
class ForwardingDevice : public QIODevice {
  public:
    explicit ForwardingDevice(std::function<void(std::string_view)> out) : out_(std::move(out)) {
        open(QIODevice::WriteOnly);
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        out_(std::string_view(data, static_cast<std::size_t>(size)));
        return size;
    }

  private:
    std::function<void(std::string_view)> out_;
};

QPageLayout listingPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 36, 18, 36),
                       QPageLayout::Point);
}

}  // namespace

struct PdfListingStream::Parts {
    explicit Parts(std::function<void(std::string_view)> out) : device(std::move(out)) {
        writer.setCreator(QStringLiteral("Talveno"));
        writer.setPageLayout(listingPageLayout());
    }

    ForwardingDevice device;
    QPdfWriter writer{&device};
    std::optional<PainterSurface> surface;
    std::optional<PrintStream> stream;
};

PdfListingStream::PdfListingStream(std::function<void(std::string_view bytes)> out)
    : parts_(std::make_unique<Parts>(std::move(out))) {
    parts_->surface.emplace(parts_->writer);
    parts_->stream.emplace(*parts_->surface);
}

PdfListingStream::~PdfListingStream() {
    parts_->stream.reset();
    parts_->surface.reset();
}

void PdfListingStream::write(std::string_view text) {
    parts_->stream->write(text);
}

void PdfListingStream::endLine() {
    parts_->stream->endLine();
}

void PdfListingStream::finish() {
    parts_->surface->end();
}

std::string pdfListing(const Listing& listing) {
    std::string bytes;
    PdfListingStream stream([&bytes](std::string_view part) { bytes += part; });
    listing(stream);
    stream.finish();
    return bytes;
}

}  // namespace talveno::ui
