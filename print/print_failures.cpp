#include "print/print_failures.h"

namespace talveno::print_failures {

Failure noDefaultPrinter() {
    return Failure("デフォルト プリンタが存在しません");
}

Failure printJobFailed() {
    return Failure("印刷ジョブを開始できません");
}

}  // namespace talveno::print_failures
