#include "core/extended.h"

namespace talveno::extended {

Real ln(Real x) {
    if (x == 0) throw messages::divisionByZero();
    if (x < 0) throw messages::invalidOperation();
    return std::log(x);
}

Real exp(Real x) {
    const Real value = std::exp(x);
    if (std::isinf(value)) throw messages::overflow();
    return value;
}

}  // namespace talveno::extended
