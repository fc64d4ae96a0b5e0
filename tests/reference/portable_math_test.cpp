// Our elementary functions against MPFR's correctly rounded values (to nearest, ties to even,
// subnormals rounded as IEEE doubles are): every input the relaxation constants and the
// parameter steps can give, and for hypot the awkward cases with a wide sample.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "../support/SameBits.hpp"
#include "field/PortableMath.hpp"

namespace {

constexpr double pi = 3.141592653589793;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double tiny = std::numeric_limits<double>::denorm_min();
constexpr double huge = std::numeric_limits<double>::max();

// One 53-bit MPFR number with the exponent range of doubles, so that a result below 2^-1022
// is rounded once, at the spacing of subnormals.
class Correct {
  public:
    Correct() {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        mpfr_init2(v_, 53);
    }
    ~Correct() { mpfr_clear(v_); }
    Correct(const Correct&) = delete;
    Correct& operator=(const Correct&) = delete;

    mpfr_ptr get() { return v_; }
    double result(int inexact) {
        inexact = mpfr_check_range(v_, inexact, MPFR_RNDN);
        mpfr_subnormalize(v_, inexact, MPFR_RNDN);
        return mpfr_get_d(v_, MPFR_RNDN);
    }

  private:
    mpfr_t v_;
};

double correctCos(double x) {
    Correct c;
    mpfr_t arg;
    mpfr_init2(arg, 53);
    mpfr_set_d(arg, x, MPFR_RNDN);
    const double r = c.result(mpfr_cos(c.get(), arg, MPFR_RNDN));
    mpfr_clear(arg);
    return r;
}

double correctHypot(double x, double y) {
    Correct c;
    mpfr_t a;
    mpfr_t b;
    mpfr_inits2(53, a, b, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    const double r = c.result(mpfr_hypot(c.get(), a, b, MPFR_RNDN));
    mpfr_clears(a, b, static_cast<mpfr_ptr>(nullptr));
    return r;
}

double correctPow10(long k) {
    Correct c;
    mpfr_t ten;
    mpfr_init2(ten, 53);
    mpfr_set_ui(ten, 10, MPFR_RNDN);
    const double r = c.result(mpfr_pow_si(c.get(), ten, k, MPFR_RNDN));
    mpfr_clear(ten);
    return r;
}

std::string bitsOf(double v) {
    std::ostringstream out;
    out << std::hexfloat << v;
    return out.str();
}

// Collects the inputs whose result is not the reference's, for one readable failure.
class Mismatches {
  public:
    template <class Input>
    void check(const Input& input, double got, double want) {
        if (sameBits(got, want) || (std::isnan(got) && std::isnan(want))) return;
        if (++count_ <= 10)
            out_ << "  " << input << ": got " << bitsOf(got) << ", want " << bitsOf(want) << "\n";
    }
    bool none() const { return count_ == 0; }
    std::string report() const { return std::to_string(count_) + " mismatches:\n" + out_.str(); }

  private:
    int count_ = 0;
    std::ostringstream out_;
};

// Doubles with any exponent, or with exponents in lo .. hi (biased, 0 for subnormals).
double randomDouble(std::mt19937_64& gen, int lo, int hi) {
    std::uniform_int_distribution<std::uint64_t> mantissa(0, (std::uint64_t{1} << 52) - 1);
    std::uniform_int_distribution<int> exponent(lo, hi);
    const std::uint64_t bits = (std::uint64_t(exponent(gen)) << 52) | mantissa(gen);
    return std::bit_cast<double>(bits);
}

TEST(PortableMath, CosOfPiOverEveryGridSideAndOfASampleUpToFour) {
    Mismatches m;
    for (std::uint32_t n = 1; n <= 65535; ++n) {
        const double x = pi / static_cast<double>(n);
        m.check("pi/" + std::to_string(n), portableCos(x), correctCos(x));
    }
    std::mt19937_64 gen(21);
    std::uniform_real_distribution<double> u(-4.0, 4.0);
    const double awkward[] = {0.0,
                              -0.0,
                              1e-300,
                              0x1p-27,
                              0x1p-26,
                              pi / 2,
                              -pi / 2,
                              pi,
                              -pi,
                              4.0,
                              -4.0,
                              std::nextafter(pi / 2, 0.0),
                              std::nextafter(pi / 2, 4.0)};
    for (const double x : awkward)
        m.check(bitsOf(x), portableCos(x), correctCos(x));
    for (int k = 0; k < 200000; ++k) {
        const double x = u(gen);
        m.check(bitsOf(x), portableCos(x), correctCos(x));
    }
    EXPECT_TRUE(m.none()) << m.report();
    EXPECT_TRUE(std::isnan(portableCos(inf)));
    EXPECT_TRUE(std::isnan(portableCos(nan)));
}

TEST(PortableMath, PowersOfTenForEveryExponent) {
    Mismatches m;
    for (int k = -420; k <= 420; ++k)
        m.check(k, portablePow10(k), correctPow10(k));
    EXPECT_TRUE(m.none()) << m.report();
    // 10^23 lies exactly half-way between two doubles: the even one wins.
    EXPECT_EQ(portablePow10(23), 0x1.52d02c7e14af6p+76);
    EXPECT_EQ(portablePow10(std::numeric_limits<int>::min()), 0.0);
    EXPECT_EQ(portablePow10(std::numeric_limits<int>::max()), inf);
}

TEST(PortableMath, HypotOfHardCasesAndOfWideSamples) {
    // A Pythagorean triple with a 54-bit odd hypotenuse: the root lies exactly half-way.
    const double m1 = 87241523.0;
    const double n1 = 40265318.0;
    const double tieA = m1 * m1 - n1 * n1;
    const double tieB = 2.0 * m1 * n1;
    const std::pair<double, double> hard[] = {
        {3.0, 4.0},
        {0.0, 0.0},
        {-0.0, -0.0},
        {-3.0, 4.0},
        {inf, nan},
        {nan, -inf},
        {nan, 1.0},
        {huge, huge},
        {huge, 1.0},
        {huge, 0x1p970},
        {tiny, tiny},
        {3 * tiny, 4 * tiny},
        {tiny, 0.0},
        {0x1p-1022, tiny},
        {1e308, 1e308},
        {1.0, 1.0},
        {1.0, 0x1p-27},
        {1.0, 0x1p-60},
        {1.0, 0x1p-61},
        {1.0, 0x1p-80},
        {tieA, tieB},
        {tieA * 0x1p-1000, tieB * 0x1p-1000},
        {tieA * 0x1p900, tieB * 0x1p900},
        {1e-310, 1e-311},
        {0x1.fffffffffffffp-1, 0x1p-27},
        {pi, 1.0},
    };
    Mismatches m;
    for (const auto& [x, y] : hard)
        m.check(bitsOf(x) + ", " + bitsOf(y), portableHypot(x, y), correctHypot(x, y));
    // The arguments of the arrows' equal-length fallback are components of the field; the
    // samples cover every exponent, subnormals and near-overflow included.
    for (std::uint32_t n = 1; n <= 65535; ++n) {
        const double x = pi / n;
        const double y = 1.0 / n;
        m.check("pi/n, 1/n for n = " + std::to_string(n), portableHypot(x, y), correctHypot(x, y));
    }
    std::mt19937_64 gen(22);
    for (int k = 0; k < 100000; ++k) {
        const double x = randomDouble(gen, 0, 2046);
        const double y =
            k % 2 == 0 ? randomDouble(gen, 0, 2046) : x * randomDouble(gen, 1000, 1046);
        m.check(bitsOf(x) + ", " + bitsOf(y), portableHypot(x, y), correctHypot(x, y));
    }
    EXPECT_TRUE(m.none()) << m.report();
}

}  // namespace
