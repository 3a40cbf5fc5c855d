#include "print/print_failures.h"

#include <string>

namespace talveno::print_failures {

Failure noDefaultPrinter() {
    return Failure("デフォルト プリンタが存在しません");
}

Failure printJobFailed() {
    return Failure("印刷ジョブを開始できません");
}

Failure tooManyPages(int pages, int limit) {
    return Failure("印刷するページが多すぎます (" + std::to_string(pages) + " ページ、上限 " +
                   std::to_string(limit) + " ページ)");
}

}  // namespace talveno::print_failures
