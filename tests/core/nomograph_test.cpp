#include "core/nomograph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/nomograph_curves.h"
#include "core/nomograph_tables.h"

namespace talveno {
namespace {

// Relative agreement to five significant digits.
void expectFiveDigits(double expected, double actual, const std::string& what) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 5e-5) << what;
}

struct WorkedLookUp {
    const char* name;
    double pi, t, dT;
    double x;
    std::size_t upperCurve;
    double g;
    double sbit;
};

const WorkedLookUp kWorkedLookUps[] = {
    {"PI=0 t=1 dT=50", 0, 1, 50, 2291.3183, 39, 0.079298, 21.507},
    {"PI=0 t=0.02 dT=40", 0, 0.02, 40, 2317.6559, 39, 0.77308, 40.614},
    {"PI=1 t=0.02 dT=30", 1, 0.02, 30, 2247.1686, 36, 0.97679, 4.8948},
    {"PI=-1 t=0.1 dT=60", -1, 0.1, 60, 2423.0881, 43, 0.28811, 610.52},
    {"PI=0 t=0.02 dT=-5", 0, 0.02, -5, 2081.8836, 31, 0.27117, 0.060339},
    {"PI=0 t=100 dT=22 first pair wins", 0, 100, 22, 2002.8757, 25, 0.79243, 0.00086599},
    {"PI=0 t=0.02 dT=100 beyond stiffest", 0, 0.02, 100, 2790.6976, 44, 1.9000, 3732.2},
};

TEST(Nomograph, WorkedLookUps) {
    for (const auto& c : kWorkedLookUps) {
        const auto reading = nomograph::read(c.pi, c.t, c.dT);
        EXPECT_NEAR(reading.x, c.x, 5e-5) << c.name;
        EXPECT_EQ(reading.upperCurve, c.upperCurve) << c.name;
        expectFiveDigits(c.g, reading.fraction, c.name);
        expectFiveDigits(c.sbit, reading.stiffnessMpa, c.name);
        EXPECT_EQ(NomographSbit(c.pi, c.t, c.dT), reading.stiffnessMpa) << c.name;
    }
}

TEST(Nomograph, Scales) {
    EXPECT_DOUBLE_EQ(nomograph::loadingTimeX(1), 2673.5120113);
    EXPECT_DOUBLE_EQ(nomograph::loadingTimeX(10), 2784.4886056);
    EXPECT_NEAR(nomograph::loadingTimeX(1000) - nomograph::loadingTimeX(100), 110.9765943, 1e-9);
    EXPECT_NEAR(nomograph::loadingTimeX(0.02), 2484.9661, 5e-5);

    const struct {
        double dT, x;
    } differences[] = {{-130, 2064.2}, {200, 3290.3}, {45, 2395.7}, {-5, 2215.7}, {170, 3110.3}};
    for (const auto& d : differences)
        EXPECT_NEAR(nomograph::temperatureDifferenceX(d.dT), d.x, 1e-9) << "dT=" << d.dT;

    EXPECT_EQ(nomograph::penetrationIndexHeight(0), 2745.1201378);
    EXPECT_NEAR(nomograph::penetrationIndexHeight(-1), 2709.0824, 1e-4);
    EXPECT_NEAR(nomograph::penetrationIndexHeight(1), 2781.2112, 1e-4);
}

// A point exactly on curve j reads S_j: through the pair (j, j + 1) with g = 0.
TEST(Nomograph, PointOnCurveReadsItsStiffness) {
    // At PI = 0 curves 38 and 39 are in x order; move t until X lies on curve 39.
    const double y = nomograph::penetrationIndexHeight(0);
    const auto& c = nomograph::kStiffnessCurves[39].coefficients;
    double p = c[5];
    for (int k = 4; k >= 0; --k) p = p * y / 100 + c[k];
    const double target = 100 * p;
    // Solve X(t) = target for ΔT = 50 by bisection on log t; X falls as t grows.
    double lo = -3, hi = 3;
    for (int k = 0; k < 200; ++k) {
        const double mid = (lo + hi) / 2;
        (nomograph::read(0, std::pow(10.0, mid), 50).x > target ? lo : hi) = mid;
    }
    const auto reading = nomograph::read(0, std::pow(10.0, hi), 50);
    EXPECT_NEAR(reading.stiffnessMpa, 5e7 / 1e6, 1e-6);
}

TEST(Nomograph, Refusals) {
    const struct {
        const char* name;
        double pi, t, dT;
        const char* message;
    } cases[] = {
        {"t=0", 0, 0, 50, "0 による浮動小数点数除算"},
        {"t=-1", 0, -1, 50, "不正な浮動小数点数演算命令"},
        {"t=0 before dT out of range", 0, 0, 500, "0 による浮動小数点数除算"},
        {"dT=-135", 0, 1, -135, "軟化点と温度の差が -130～200℃ の範囲外です (-135)"},
        {"dT=200.5", 0, 1, 200.5, "軟化点と温度の差が -130～200℃ の範囲外です (200.5)"},
        {"PI=-3 t=1e9 left of every curve", -3, 1e9, -130,
         "ノモグラフの読取り範囲外です (載荷時間が長すぎます)"},
        {"PI=0 t=1e12 left of every curve", 0, 1e12, -130,
         "ノモグラフの読取り範囲外です (載荷時間が長すぎます)"},
        {"PI=3e22 curve 33 beyond the double range, pair (1, 2) enclosing", 3e22, 1, 50,
         "浮動小数点数のオーバーフロー"},
        {"PI=1e30 a curve beyond the double range", 1e30, 1, 50, "浮動小数点数のオーバーフロー"},
        {"PI=-1e30 t=1e6 a curve beyond the double range", -1e30, 1e6, 50,
         "浮動小数点数のオーバーフロー"},
        {"PI=1e103 height beyond the double range", 1e103, 1, 50, "浮動小数点数のオーバーフロー"},
    };
    for (const auto& c : cases) {
        try {
            NomographSbit(c.pi, c.t, c.dT);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), c.message) << c.name;
        }
    }
}

// The corners and the middle of the look-up's range, against reference readings of the
// digitised nomograph.
TEST(Nomograph, ReadingsAtTheRangesEnds) {
    const struct {
        const char* name;
        double pi, t, dT;
        std::size_t upperCurve;
        double sbit;
    } cases[] = {
        {"PI=-3 t=1e-4 dT=-130", -3, 1e-4, -130, 22, 6.9649e-05},
        {"PI=3 t=1e6 dT=-130", 3, 1e6, -130, 5, 3.3538e-12},
        {"PI=-3 t=1e6 dT=-130 softest corner", -3, 1e6, -130, 2, 3.8076e-15},
        {"PI=0 t=1 dT=-60", 0, 1, -60, 19, 9.4752e-06},
        {"PI=0 t=0.02 dT=0", 0, 0.02, 0, 32, 0.11678},
        {"PI=3 t=1e4 dT=0", 3, 1e4, 0, 18, 2.1723e-06},
        {"PI=3 t=0.02 dT=100", 3, 0.02, 100, 43, 573.50},
        {"PI=3 t=1e6 dT=100", 3, 1e6, 100, 36, 2.5524},
        {"PI=-3 t=1e-4 dT=200 stiffest corner", -3, 1e-4, 200, 44, 5.0914e+07},
        {"PI=3 t=1e6 dT=200", 3, 1e6, 200, 44, 5357.3},
    };
    for (const auto& c : cases) {
        const auto reading = nomograph::read(c.pi, c.t, c.dT);
        EXPECT_EQ(reading.upperCurve, c.upperCurve) << c.name;
        expectFiveDigits(c.sbit, reading.stiffnessMpa, c.name);
    }
}

}  // namespace
}  // namespace talveno

namespace talveno {
namespace {

// The pair by the plainest scan: every curve evaluated in the prescribed order, then the pairs
// in turn. Upper curve 0: left of every curve.
nomograph::CurvePair plainPair(double y, double x) {
    double p[45];
    for (std::size_t j = 0; j < 45; ++j) {
        const auto& c = nomograph::kStiffnessCurves[j].coefficients;
        p[j] = c[5];
        for (int k = 4; k >= 0; --k) p[j] = p[j] * y / 100 + c[k];
    }
    std::size_t i = 1;
    while (i <= 44 && !(100 * p[i - 1] <= x && 100 * p[i] > x)) ++i;
    if (i > 44) {
        if (!(x >= 100 * p[44])) return {0, 0, 0};
        i = 44;
    }
    return {i, p[i - 1], p[i]};
}

// Height and x of the stiffness line's point, in the prescribed order.
struct PlanePoint {
    double y, x;
};
PlanePoint plainPoint(double pi, double t, double dT) {
    using namespace nomograph;
    const double xt = loadingTimeX(t);
    const double xT = temperatureDifferenceX(dT);
    const double y = penetrationIndexHeight(pi);
    return {
        y,
        (y - kTemperatureDifferenceY) * (xT - xt) / (kTemperatureDifferenceY - kLoadingTimeY) + xT};
}

// The look-up in its plainest form; the look-up must agree with it bit for bit.
nomograph::Reading plainReading(double pi, double t, double dT) {
    const auto [y, x] = plainPoint(pi, t, dT);
    const auto [i, lower, upper] = plainPair(y, x);
    if (i == 0) return {x, 0, 0, 0};
    const double g = ((x - 100 * lower) / (upper - lower)) / 100;
    const double lo = std::log(nomograph::kStiffnessCurves[i - 1].stiffnessPa);
    const double hi = std::log(nomograph::kStiffnessCurves[i].stiffnessPa);
    return {x, i, g, std::exp(lo + g * (hi - lo)) / 1000000};
}

// Rows spread over the nomograph and beyond: PI on its 0.01 grid, t from 1e-4 s to 1e7 s.
class RandomRows {
  public:
    struct Row {
        double pi, t, dT;
    };
    Row next() {
        const double pi = std::round(uniform(-4, 6) * 100) / 100;
        const double t = std::pow(10.0, uniform(-4, 7));
        return {pi, t, uniform(-130, 200)};
    }

  private:
    double uniform(double lo, double hi) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return lo + (hi - lo) * double(state_ >> 11) * 0x1p-53;
    }
    std::uint64_t state_ = 12345;
};

TEST(Nomograph, AgreesWithPlainScan) {
    RandomRows rows;
    int compared = 0;
    for (int n = 0; n < 200000; ++n) {
        const auto [pi, t, dT] = rows.next();
        const auto plain = plainReading(pi, t, dT);
        try {
            const auto fast = nomograph::read(pi, t, dT);
            ASSERT_EQ(fast.upperCurve, plain.upperCurve) << pi << " " << t << " " << dT;
            ASSERT_EQ(fast.stiffnessMpa, plain.stiffnessMpa) << pi << " " << t << " " << dT;
            ++compared;
        } catch (const Failure&) {
            // Left of every curve: the plain scan has no rule there either.
            ASSERT_EQ(plain.upperCurve, 0u) << pi << " " << t << " " << dT;
        }
    }
    EXPECT_GT(compared, 190000);
}

// Every vector width the processor has finds the plain scan's pair with the same curve values,
// also at heights where the curves are checked for overflow first (|y| > 1e50).
TEST(Nomograph, EveryVectorWidthFindsThePlainPair) {
    std::vector<PlanePoint> points;
    RandomRows rows;
    for (int n = 0; n < 20000; ++n) {
        const auto [pi, t, dT] = rows.next();
        points.push_back(plainPoint(pi, t, dT));
    }
    for (const double pi : {2.8e17, -2.8e17, 3e17, -3e17, 1e20, -1e20})
        for (const double t : {1e-6, 1.0, 1e6}) points.push_back(plainPoint(pi, t, 50));

    using nomograph::CurveLanes;
    for (const auto lanes :
         {CurveLanes::one, CurveLanes::two, CurveLanes::four, CurveLanes::eight}) {
        if (!nomograph::processorHas(lanes)) continue;
        for (const auto& [y, x] : points) {
            const auto plain = plainPair(y, x);
            const std::string row = "lanes " + std::to_string(static_cast<int>(lanes)) +
                                    " y=" + std::to_string(y) + " x=" + std::to_string(x);
            try {
                const auto pair = nomograph::enclosingPair(y, x, lanes);
                ASSERT_EQ(pair.upperCurve, plain.upperCurve) << row;
                ASSERT_EQ(pair.lower, plain.lower) << row;
                ASSERT_EQ(pair.upper, plain.upper) << row;
            } catch (const Failure&) {
                ASSERT_EQ(plain.upperCurve, 0u) << row;
            }
        }
    }
}

// Points placed exactly on a curve, where only the exact values can decide.
TEST(Nomograph, AgreesWithPlainScanOnCurves) {
    int compared = 0;
    for (std::size_t j = 1; j < 45; ++j) {
        const double pi = 0;
        const double y = nomograph::penetrationIndexHeight(pi);
        const auto& c = nomograph::kStiffnessCurves[j].coefficients;
        double p = c[5];
        for (int k = 4; k >= 0; --k) p = p * y / 100 + c[k];
        // x is reached through t: search the loading time whose X is nearest 100 * P_j.
        double lo = -12, hi = 12;
        for (int k = 0; k < 200; ++k) {
            const double mid = (lo + hi) / 2;
            (nomograph::read(pi, std::pow(10.0, mid), 0).x > 100 * p ? lo : hi) = mid;
        }
        for (const double e : {lo, hi}) {
            const double t = std::pow(10.0, e);
            try {
                const auto plain = plainReading(pi, t, 0);
                const auto fast = nomograph::read(pi, t, 0);
                EXPECT_EQ(fast.upperCurve, plain.upperCurve) << "curve " << j;
                EXPECT_EQ(fast.stiffnessMpa, plain.stiffnessMpa) << "curve " << j;
                ++compared;
            } catch (const Failure&) {
            }
        }
    }
    // Both points of every curve lie within the look-up's range.
    EXPECT_EQ(compared, 2 * 44);
}

}  // namespace
}  // namespace talveno
