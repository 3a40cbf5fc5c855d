#include "app/batch_listings.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "formats/file_failures.h"
#include "print/listing_document.h"
#include "print/listings.h"

namespace talveno::batch {

namespace {

using Kind = ListingRequest::Kind;

// The texts of a listing kept for the print stream, which draws each text as it comes: each
// text is followed by kTextEnd, which no listing text holds, each line by LF.
constexpr char kTextEnd = '\x1f';

class RecordedTexts : public ListingSink {
  public:
    explicit RecordedTexts(std::string& out) : out_(out) {}
    void write(std::string_view text) override {
        out_ += text;
        out_ += kTextEnd;
    }
    void endLine() override { out_ += '\n'; }

  private:
    std::string& out_;
};

void writeHead(const ListingRequest& request, ListingSink& sink) {
    if (request.kind == Kind::Input)
        writeInputListingHead(request.dataName, sink);
    else
        writeResultListingHead(request.unit, request.dataName, sink);
}

// A listing written as the rows come: the lines of a block of rows as text, or as the texts
// recorded for the print stream.
class ListingOutput : public CalculationOutput {
  public:
    ListingOutput(const ListingRequest& request,
                  const std::function<file_system::FileReplacement()>& open, bool recorded)
        : CalculationOutput(open, request.path), kind_(request.kind), recorded_(recorded) {}

    void appendRow(std::string& lines, int row, const InputCells& input,
                   const RowCalculation& result) const override {
        file_failures::onFile(file_failures::FileRole::Output, file_.name(), [&] {
            if (recorded_) {
                RecordedTexts sink(lines);
                return writeRow(row, input, result, sink);
            }
            TextListingSink sink(lines);
            writeRow(row, input, result, sink);
        });
    }

  private:
    void writeRow(int row, const InputCells& input, const RowCalculation& result,
                  ListingSink& sink) const {
        if (kind_ == Kind::Input) return writeInputListingRow(row, input, sink);
        const std::array<std::string_view, 8> cells = {
            result.text(1), result.text(2), result.text(3), result.text(4),
            result.text(5), result.text(6), result.text(7), result.text(8)};
        writeResultListingRow(row, cells, sink);
    }

    Kind kind_;
    bool recorded_;
};

// The texts and line ends recorded, in the order they came.
void replay(std::string_view recorded, ListingSink& sink) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        if (recorded[i] != kTextEnd && recorded[i] != '\n') continue;
        if (recorded[i] == kTextEnd)
            sink.write(recorded.substr(start, i - start));
        else
            sink.endLine();
        start = i + 1;
    }
}

// The module that draws PDF listings with Qt, loaded with the first of them: beside this
// program in the build, in its folder among the libraries where installed. Nothing where it is
// missing or cannot be loaded (a build without Qt).
OpenListingDocument pdfModule() {
    static const OpenListingDocument open = []() -> OpenListingDocument {
        std::error_code error;
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) return nullptr;
        const std::filesystem::path folder = self.parent_path();
        for (const std::filesystem::path& path :
             {folder / "talveno-pdf.so", folder / TALVENO_PDF_MODULE_FOLDER / "talveno-pdf.so"})
            if (void* const module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
                return reinterpret_cast<OpenListingDocument>(::dlsym(module, kOpenPdfListing));
        return nullptr;
    }();
    return open;
}

// Drawn on the pages by the print stream as the rows come; the PDF goes into the file as Qt
// writes it.
class PdfListingOutput : public ListingOutput {
  public:
    PdfListingOutput(const ListingRequest& request,
                     const std::function<file_system::FileReplacement()>& open)
        : ListingOutput(request, open, true),
          pdf_(pdfModule()([this](std::string_view bytes) { file_.write(bytes); })) {
        writeHead(request, *pdf_);
    }

    void write(std::string_view lines) override { replay(lines, *pdf_); }
    void prepare() override {
        file_failures::onFile(file_failures::FileRole::Output, file_.name(),
                              [&] { pdf_->finish(); });
        file_.prepare();
    }

  private:
    std::unique_ptr<ListingDocument> pdf_;
};

// A text listing: its head goes into the file first.
class TextListingOutput : public ListingOutput {
  public:
    TextListingOutput(const ListingRequest& request,
                      const std::function<file_system::FileReplacement()>& open)
        : ListingOutput(request, open, false) {
        std::string head;
        TextListingSink sink(head);
        writeHead(request, sink);
        file_.write(head);
    }
};

}  // namespace

bool isPdfListing(std::string_view path) {
    constexpr std::string_view kPdf = ".pdf";
    return path.size() >= kPdf.size() &&
           std::equal(kPdf.begin(), kPdf.end(), path.end() - kPdf.size(), [](char pdf, char c) {
               return pdf == std::tolower(static_cast<unsigned char>(c));
           });
}

bool pdfListingsAvailable() {
    return pdfModule() != nullptr;
}

std::unique_ptr<CalculationOutput> listingOutput(
    const ListingRequest& request, const std::function<file_system::FileReplacement()>& open) {
    if (isPdfListing(request.path)) return std::make_unique<PdfListingOutput>(request, open);
    return std::make_unique<TextListingOutput>(request, open);
}

}  // namespace talveno::batch
