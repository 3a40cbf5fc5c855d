#include "core/nomograph_curves.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/messages.h"
#include "core/nomograph_tables.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define TALVENO_X86_VECTORS 1
#include <immintrin.h>
#endif
// Vectors of two doubles: SSE2 on x86-64, NEON on arm64, SIMD128 in WebAssembly.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__aarch64__) || defined(__wasm_simd128__))
#define TALVENO_TWO_LANES 1
#endif

namespace talveno::nomograph {

namespace {

constexpr std::size_t kCurveCount = kStiffnessCurves.size();
constexpr std::size_t kLanes = 48;  // the curves padded to whole vectors of up to 8 doubles

// The coefficients of all curves by power: kByPower[k][j] = c_jk.
alignas(64) constexpr auto kByPower = [] {
    std::array<std::array<double, kLanes>, 6> byPower{};
    for (std::size_t k = 0; k < 6; ++k)
        for (std::size_t j = 0; j < kCurveCount; ++j)
            byPower[k][j] = kStiffnessCurves[j].coefficients[k];
    return byPower;
}();

// Up to this height no curve value can leave the double range: the largest coefficient is below
// 1300 and u = y / 100 at most 1e48, so every value and product stays below 1e250.
constexpr double kHeightOfFiniteCurves = 1e50;
static_assert([] {
    double largest = 0;
    for (const auto& curve : kStiffnessCurves)
        for (const double c : curve.coefficients) largest = std::max(largest, c < 0 ? -c : c);
    return largest < 1300;
}());

// Every curve at height y, checked to be finite.
void requireFiniteCurves(double y) {
    for (std::size_t j = 0; j < kCurveCount; ++j)
        if (!std::isfinite(curveValue(j, y))) throw messages::overflow();
}

constexpr std::size_t kNone = 64;  // no enclosing pair

// The scan for the first enclosing pair over the curves as they are evaluated, a block of
// neighbouring curves at a time from the softest.
class PairScan {
  public:
    // Takes the comparisons of the block of curves from `first` on, a bit per curve; answers the
    // upper curve of the first enclosing pair once the curves so far hold one, else kNone.
    std::size_t add(std::size_t first, std::uint64_t atOrLeft, std::uint64_t right) {
        atOrLeft_ |= atOrLeft << first;
        right_ |= right << first;
        return static_cast<std::size_t>(std::countr_zero((atOrLeft_ << 1) & right_ & kPairs));
    }

  private:
    // Bit i: the pair (i - 1, i) exists.
    static constexpr std::uint64_t kPairs =
        ((std::uint64_t{1} << kCurveCount) - 1) & ~std::uint64_t{1};
    std::uint64_t atOrLeft_ = 0;  // bit j: 100 * P_j <= x
    std::uint64_t right_ = 0;     // bit j: 100 * P_j > x
};

// Each variant below answers the upper curve of the first enclosing pair (kNone when there is
// none) and leaves the curve values it evaluated in p. The operations and their order are the
// same in all of them, never contracted into fused multiply-adds.

std::size_t firstEnclosingByOne(double y, double x, double* p) {
    PairScan scan;
    for (std::size_t j = 0; j < kCurveCount; ++j) {
        double value = kByPower[5][j];
        for (int k = 4; k >= 0; --k) value = value * y / 100 + kByPower[k][j];
        p[j] = value;
        const double scaled = 100 * value;
        if (const std::size_t i = scan.add(j, scaled <= x, scaled > x); i != kNone) return i;
    }
    return kNone;
}

#ifdef TALVENO_TWO_LANES

std::size_t firstEnclosingByTwo(double y, double x, double* p) {
    using Two = double __attribute__((vector_size(2 * sizeof(double))));
    PairScan scan;
    for (std::size_t first = 0; first < kLanes; first += 2) {
        Two values, coefficients;
        std::memcpy(&values, &kByPower[5][first], sizeof values);
        for (int k = 4; k >= 0; --k) {
            std::memcpy(&coefficients, &kByPower[k][first], sizeof coefficients);
            values = values * y / 100 + coefficients;
        }
        std::memcpy(p + first, &values, sizeof values);
        const Two scaled = 100 * values;
        const std::uint64_t atOrLeft = (scaled[0] <= x) | (scaled[1] <= x) << 1;
        const std::uint64_t right = (scaled[0] > x) | (scaled[1] > x) << 1;
        if (const std::size_t i = scan.add(first, atOrLeft, right); i != kNone) return i;
    }
    return kNone;
}

#endif

#ifdef TALVENO_X86_VECTORS

__attribute__((target("avx2"))) std::size_t firstEnclosingByFour(double y, double x, double* p) {
    const __m256d height = _mm256_set1_pd(y), point = _mm256_set1_pd(x);
    PairScan scan;
    for (std::size_t first = 0; first < kLanes; first += 4) {
        __m256d values = _mm256_load_pd(&kByPower[5][first]);
        for (int k = 4; k >= 0; --k)
            values = values * height / 100 + _mm256_load_pd(&kByPower[k][first]);
        _mm256_store_pd(p + first, values);
        const __m256d scaled = 100 * values;
        const auto atOrLeft = _mm256_movemask_pd(_mm256_cmp_pd(scaled, point, _CMP_LE_OQ));
        const auto right = _mm256_movemask_pd(_mm256_cmp_pd(scaled, point, _CMP_GT_OQ));
        if (const std::size_t i = scan.add(first, atOrLeft, right); i != kNone) return i;
    }
    return kNone;
}

__attribute__((target("avx512f"))) std::size_t firstEnclosingByEight(double y, double x,
                                                                     double* p) {
    const __m512d height = _mm512_set1_pd(y), point = _mm512_set1_pd(x);
    PairScan scan;
    for (std::size_t first = 0; first < kLanes; first += 8) {
        __m512d values = _mm512_load_pd(&kByPower[5][first]);
        for (int k = 4; k >= 0; --k)
            values = values * height / 100 + _mm512_load_pd(&kByPower[k][first]);
        _mm512_store_pd(p + first, values);
        const __m512d scaled = 100 * values;
        const auto atOrLeft = _mm512_cmp_pd_mask(scaled, point, _CMP_LE_OQ);
        const auto right = _mm512_cmp_pd_mask(scaled, point, _CMP_GT_OQ);
        if (const std::size_t i = scan.add(first, atOrLeft, right); i != kNone) return i;
    }
    return kNone;
}

#endif

CurveLanes widestLanes() {
    for (const auto lanes : {CurveLanes::eight, CurveLanes::four, CurveLanes::two})
        if (processorHas(lanes)) return lanes;
    return CurveLanes::one;
}

}  // namespace

double curveValue(std::size_t curve, double y) {
    const auto& c = kStiffnessCurves.at(curve).coefficients;
    double p = c[5];
    for (int k = 4; k >= 0; --k) p = p * y / 100 + c[k];
    return p;
}

bool processorHas(CurveLanes lanes) {
#ifdef TALVENO_X86_VECTORS
    __builtin_cpu_init();
    if (lanes == CurveLanes::eight) return __builtin_cpu_supports("avx512f");
    if (lanes == CurveLanes::four) return __builtin_cpu_supports("avx2");
#else
    if (lanes == CurveLanes::eight || lanes == CurveLanes::four) return false;
#endif
#ifndef TALVENO_TWO_LANES
    if (lanes == CurveLanes::two) return false;
#endif
    return true;
}

CurvePair enclosingPair(double y, double x, CurveLanes lanes) {
    if (!(std::fabs(y) <= kHeightOfFiniteCurves)) requireFiniteCurves(y);
    alignas(64) std::array<double, kLanes> p;
    std::size_t i = kNone;
    switch (lanes) {
#ifdef TALVENO_X86_VECTORS
        case CurveLanes::eight:
            i = firstEnclosingByEight(y, x, p.data());
            break;
        case CurveLanes::four:
            i = firstEnclosingByFour(y, x, p.data());
            break;
#endif
#ifdef TALVENO_TWO_LANES
        case CurveLanes::two:
            i = firstEnclosingByTwo(y, x, p.data());
            break;
#endif
        default:
            i = firstEnclosingByOne(y, x, p.data());
    }
    if (i == kNone) {
        const std::size_t last = kCurveCount - 1;
        if (!(x >= 100 * p[last])) throw messages::nomographOutOfRange();
        i = last;
    }
    return {i, p[i - 1], p[i]};
}

CurvePair enclosingPair(double y, double x) {
    static const CurveLanes widest = widestLanes();
    return enclosingPair(y, x, widest);
}

}  // namespace talveno::nomograph
