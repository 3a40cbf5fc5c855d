#include "formats/curves_csv.h"

#include "core/number_text.h"
#include "tables/columns.h"
#include "tables/layouts.h"

namespace talveno {

namespace {

using columns::Quantity;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// The decimals of a quantity in the result table.
constexpr int resultDecimals(Quantity quantity) {
    return columns::kResult[columns::columnOf(columns::kResult, quantity) - 1].decimals;
}

// The result table's header of a quantity.
constexpr std::string_view resultHeader(Quantity quantity) {
    return layouts::kResultHeaders[columns::columnOf(columns::kResult, quantity)];
}

}  // namespace

std::string curvesCsvHeader(StiffnessUnit unit) {
    return std::string(kByteOrderMark) + curvesHeaderLine(unit, ',');
}

std::string curvesHeaderLine(StiffnessUnit unit, char separator) {
    std::string header;
    for (const std::string_view field :
         {layouts::kResultHeaders[0], resultHeader(Quantity::temperature),
          resultHeader(Quantity::loadingTime), resultHeader(Quantity::penetrationIndex),
          resultHeader(Quantity::concentration)}) {
        appendCsvField(header, field, separator);
        header += separator;
    }
    header += layouts::stiffnessHeader("Sbit", unit) + separator +
              layouts::stiffnessHeader("Smix", unit) + separator + "備考";
    header += kLineEnd;
    return header;
}

void appendCurvesCsvLines(std::string& lines, int row, const CurveRow& curveRow,
                          std::span<const CurvePoint> points, char separator) {
    const std::string number = std::to_string(row);
    std::string binder;  // PI and Cv, the same at every point
    appendFixedText(binder, curveRow.penetrationIndex, resultDecimals(Quantity::penetrationIndex));
    binder += separator;
    appendFixedText(binder, curveRow.concentration * 100, resultDecimals(Quantity::concentration));
    for (const CurvePoint& point : points) {
        lines += number;
        lines += separator;
        lines += shortestText(point.temperature);
        lines += separator;
        lines += shortestText(point.loadingTime);
        lines += separator;
        lines += binder;
        lines += separator;
        if (point.computed()) {
            lines += shortestText(point.bitumenStiffness);
            lines += separator;
            lines += shortestText(point.mixtureStiffness);
        } else {
            lines += separator;
        }
        lines += separator;
        appendCsvField(lines, curvePointNote(point), separator);
        lines += kLineEnd;
    }
}

void appendCsvField(std::string& line, std::string_view field, char separator) {
    const char breaking[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(breaking) == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace talveno
