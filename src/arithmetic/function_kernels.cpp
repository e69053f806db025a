// Series on fixed-point values. Arguments are first brought near zero with tables of
// logarithms and arc tangents of simple ratios, kept per scale, so that a few terms
// suffice; the terms are summed in blocks so that most steps divide by small integers.
#include "arithmetic/function_kernels.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "arithmetic/constants.hpp"

namespace pemu::arith::detail {

namespace {

constexpr double kLn2 = 0.6931471805599453;
// Terms summed per block: only every kBlock-th term costs a full product.
constexpr int kBlock = 4;
// Scales whose constants come from the stored 500-digit texts.
constexpr int kStoredScale = kConstantFracDigits / kLimbDigits;

Fixed One(int scale) {
    return FixedInteger(1, scale);
}

Fixed FromStored(std::string_view text, int scale) {
    Fixed x;
    FixedFromText(text, scale, x);
    return x;
}

// sum over i of (+-1)^i (p/q)^(2i+1) / (2i+1), p < 65536, within one ulp: summed one
// limb finer and cut.
Fixed OddPowerSum(std::uint32_t p, std::uint32_t q, bool alternating, int scale) {
    const int work = scale + 1;
    Fixed power = DivideSmall(MultiplySmall(One(work), p), q);
    Fixed sum = power;
    const std::uint32_t p2 = p * p;
    const bool squareFits = q < 65536;
    for (std::uint32_t odd = 3; !IsNil(power); odd += 2) {
        power = MultiplySmall(power, p2);
        power = squareFits ? DivideSmall(power, q * q) : DivideSmall(DivideSmall(power, q), q);
        const Fixed term = DivideSmall(power, odd);
        sum = alternating && odd % 4 == 3 ? Subtract(sum, term) : Add(sum, term);
    }
    return Rescale(sum, work, scale);
}

Fixed MakePi(int scale) {
    if (scale <= kStoredScale) return FromStored(kPiText, scale);
    const int work = scale + 1;  // Machin: 16 atan(1/5) - 4 atan(1/239)
    const Fixed pi = Subtract(MultiplySmall(OddPowerSum(1, 5, true, work), 16),
                              MultiplySmall(OddPowerSum(1, 239, true, work), 4));
    return Rescale(pi, work, scale);
}

Fixed MakeLn2(int scale) {
    if (scale <= kStoredScale) return FromStored(kLn2Text, scale);
    const int work = scale + 1;  // 18 atanh(1/26) - 2 atanh(1/4801) + 8 atanh(1/8749)
    const Fixed ln2 = Add(Subtract(MultiplySmall(OddPowerSum(1, 26, false, work), 18),
                                   MultiplySmall(OddPowerSum(1, 4801, false, work), 2)),
                          MultiplySmall(OddPowerSum(1, 8749, false, work), 8));
    return Rescale(ln2, work, scale);
}

Fixed MakeLn10(int scale) {
    const int work = scale + 1;  // ln 10 = 3 ln 2 + ln 1.25, ln 1.25 = 2 atanh(1/9)
    const Fixed ln10 =
        Add(MultiplySmall(Ln2At(work), 3), MultiplySmall(OddPowerSum(1, 9, false, work), 2));
    return Rescale(ln10, work, scale);
}

int ClampScale(int scale) {
    return std::clamp(scale, 1, kMaxScale);
}

using ConstantCache = std::array<std::unique_ptr<Fixed>, kMaxScale + 1>;

const Fixed& Cached(ConstantCache& cache, int scale, Fixed (*make)(int)) {
    std::unique_ptr<Fixed>& slot = cache[static_cast<std::size_t>(ClampScale(scale))];
    if (!slot) slot = std::make_unique<Fixed>(make(ClampScale(scale)));
    return *slot;
}

// Tables of values at the indices -limit..limit, `width` values per index, made a whole
// row at a time on first use. Rows are made at scales rounded up to a multiple of
// kTableScaleStep (so that results of different widths share them) within one ulp, and
// cut to the scale asked for: within two ulps then. Entries are kept as their limbs only.
constexpr int kTableScaleStep = 4;
class Table {
  public:
    // Fills values[(index + limit) * width + k] at the scale.
    using Build = void (*)(int limit, int scale, std::vector<Fixed>& values);
    Table(int limit, int width, Build build) : limit_(limit), width_(width), build_(build) {}
    Fixed At(int index, int scale, int which = 0) {
        const int bucket = std::min(kMaxScale, (ClampScale(scale) + kTableScaleStep - 1) /
                                                   kTableScaleStep * kTableScaleStep);
        auto& row = rows_[static_cast<std::size_t>(bucket)];
        if (row.empty()) {
            std::vector<Fixed> values(static_cast<std::size_t>((2 * limit_ + 1) * width_));
            build_(limit_, bucket, values);
            row.resize(values.size());
            for (std::size_t i = 0; i < values.size(); ++i) {
                row[i].limbs.assign(values[i].mag.v, values[i].mag.v + values[i].mag.n);
                row[i].negative = values[i].negative;
            }
        }
        const Entry& entry = row[static_cast<std::size_t>((index + limit_) * width_ + which)];
        Fixed out;
        out.mag.n = static_cast<int>(entry.limbs.size());
        std::copy(entry.limbs.begin(), entry.limbs.end(), out.mag.v);
        out.negative = entry.negative;
        return Rescale(out, bucket, std::min(scale, bucket));
    }

  private:
    struct Entry {
        std::vector<std::uint32_t> limbs;
        bool negative = false;
    };
    int limit_;
    int width_;
    Build build_;
    std::array<std::vector<Entry>, kMaxScale + 1> rows_;
};

// ln(1 + j / kUnit) for |j| <= limit, step by step: ln((u + j + 1) / (u + j)) =
// 2 atanh(1 / (2(u + j) + 1)). Summed two limbs finer, so that the steps' errors vanish.
template <int kUnit>
void BuildLogs(int limit, int scale, std::vector<Fixed>& values) {
    const int work = scale + 2;
    Fixed up;
    Fixed down;
    values[static_cast<std::size_t>(limit)] = Fixed();
    for (int j = 0; j < limit; ++j) {
        up = Add(up, MultiplySmall(OddPowerSum(1, 2 * (kUnit + j) + 1, false, work), 2));
        down = Subtract(down, MultiplySmall(OddPowerSum(1, 2 * (kUnit - j) - 1, false, work), 2));
        values[static_cast<std::size_t>(limit + j + 1)] = Rescale(up, work, scale);
        values[static_cast<std::size_t>(limit - j - 1)] = Rescale(down, work, scale);
    }
}

// atan(j / kUnit) for 0 <= j <= limit, step by step: atan((j + 1)/u) - atan(j/u) =
// atan(u / (u^2 + j (j + 1))).
template <int kUnit>
void BuildAtans(int limit, int scale, std::vector<Fixed>& values) {
    const int work = scale + 2;
    Fixed sum;
    for (int j = 0; j < limit; ++j) {
        const auto q = static_cast<std::uint32_t>(kUnit * kUnit + j * (j + 1));
        sum = Add(sum, OddPowerSum(kUnit, q, true, work));
        values[static_cast<std::size_t>(limit + j + 1)] = Rescale(sum, work, scale);
    }
}

SinCos SinCosByHalving(const Fixed& r, double rError, int scale);
void AddAngles(const Fixed& sinA, const Fixed& cosA, Fixed& sinB, Fixed& cosB, int scale);

// sin and cos of j / kUnit for 0 <= j <= limit, step by step by the angle sum.
template <int kUnit>
void BuildTurns(int limit, int scale, std::vector<Fixed>& values) {
    const int work = scale + 2;
    const SinCos step = SinCosByHalving(DivideSmall(One(work), kUnit), 0, work);
    Fixed sin;
    Fixed cos = One(work);
    values[static_cast<std::size_t>(2 * limit + 1)] = One(scale);
    for (int j = 1; j <= limit; ++j) {
        AddAngles(step.sin, step.cos, sin, cos, work);
        values[static_cast<std::size_t>(2 * (limit + j))] = Rescale(sin, work, scale);
        values[static_cast<std::size_t>(2 * (limit + j) + 1)] = Rescale(cos, work, scale);
    }
}

constexpr int kCoarseLimit = 32;  // ln(1 + j/64), j in -32..32
constexpr int kFineLimit = 128;   // ln(1 + j/8192), j in -128..128
constexpr int kCoarseAtanLimit = 64;
constexpr int kFineAtanLimit = 128;
constexpr int kCoarseTurnLimit = 64;
constexpr int kFineTurnLimit = 128;

// One table of each kind per thread.
template <int kLimit, int kWidth, Table::Build kBuild>
Table& TableOf() {
    thread_local Table table(kLimit, kWidth, kBuild);
    return table;
}
Table& CoarseLogs() {
    return TableOf<kCoarseLimit, 1, BuildLogs<64>>();
}
Table& FineLogs() {
    return TableOf<kFineLimit, 1, BuildLogs<8192>>();
}
Table& CoarseAtans() {
    return TableOf<kCoarseAtanLimit, 1, BuildAtans<64>>();
}
Table& FineAtans() {
    return TableOf<kFineAtanLimit, 1, BuildAtans<8192>>();
}
Table& CoarseTurns() {
    return TableOf<kCoarseTurnLimit, 2, BuildTurns<64>>();
}
Table& FineTurns() {
    return TableOf<kFineTurnLimit, 2, BuildTurns<8192>>();
}

int NearestIndex(double value, int limit) {
    if (!(std::fabs(value) < limit)) return value < 0 ? -limit : limit;
    return static_cast<int>(std::lround(value));
}

// sum over i >= 0 of (+-w)^i / (2i + 1) for a small w >= 0, Horner in w^kBlock over blocks
// of kBlock terms whose divisions are by small integers. Within kOddSeriesError ulps.
constexpr double kOddSeriesError = kBlock * kBlock + 4 * kBlock + 4;
Fixed OddReciprocalSeries(const Fixed& w, bool alternating, int scale) {
    const Fixed one = One(scale);
    const double wd = std::fabs(ApproximateValue(w, scale));
    if (IsNil(w) || wd <= 0) return one;
    // A reduced argument is far below this; one that is not (the digits of a root candidate's
    // argument lost at its scale) has no convergent series, and its caller checks the
    // candidate exactly.
    if (!(wd < 0.5)) return one;
    const double digitsPerTerm = -std::log10(wd);
    const int terms = static_cast<int>(kLimbDigits * scale / digitsPerTerm) + 2;
    const int blocks = terms / kBlock + 1;
    std::array<Fixed, kBlock + 1> powers;
    powers[0] = one;
    powers[1] = alternating ? Negated(w) : w;
    for (int j = 2; j <= kBlock; ++j)
        powers[j] = Multiply(powers[j - 1], powers[1], scale);
    Fixed sum;
    for (int block = blocks - 1; block >= 0; --block) {
        if (!IsNil(sum)) sum = Multiply(sum, powers[kBlock], scale);
        for (int j = 0; j < kBlock; ++j) {
            const auto odd = static_cast<std::uint32_t>(2 * (block * kBlock + j) + 1);
            sum = Add(sum, DivideSmall(powers[j], odd));
        }
    }
    return sum;
}

// sum over k >= 0 of (+-t)^k / (d(1) d(2) ... d(k)) with small integers d(k): the series of
// exp, sin and cos alike. The terms are gathered by k mod kBlock, so that t^kBlock is the
// only full product per block. Returns the sum and the count of terms.
struct SeriesSum {
    Fixed value;
    int terms = 0;
};
using Powers = std::array<Fixed, kBlock + 1>;
// 1, t, ..., t^kBlock (with -t when alternating).
Powers PowersOf(const Fixed& t, bool alternating, int scale) {
    Powers powers;
    powers[0] = One(scale);
    powers[1] = alternating ? Negated(t) : t;
    for (int j = 2; j <= kBlock; ++j)
        powers[j] = Multiply(powers[j - 1], powers[1], scale);
    return powers;
}
template <class Divisor>
SeriesSum BlockedSeries(const Powers& powers, Divisor divisor, int scale) {
    std::array<Fixed, kBlock> sums;
    sums[0] = One(scale);
    Fixed a = One(scale);
    int k = 1;
    for (;; ++k) {
        if (k % kBlock == 0) a = Multiply(a, powers[kBlock], scale);
        a = DivideSmall(a, divisor(k));
        if (IsNil(a)) break;
        sums[static_cast<std::size_t>(k % kBlock)] =
            Add(sums[static_cast<std::size_t>(k % kBlock)], a);
    }
    SeriesSum out{sums[0], k};
    for (int j = 1; j < kBlock; ++j)
        out.value = Add(out.value, Multiply(sums[static_cast<std::size_t>(j)],
                                            powers[static_cast<std::size_t>(j)], scale));
    return out;
}
template <class Divisor>
SeriesSum BlockedSeries(const Fixed& t, bool alternating, Divisor divisor, int scale) {
    return BlockedSeries(PowersOf(t, alternating, scale), divisor, scale);
}
double BlockedSeriesError(int terms) {
    return 3.0 * terms + kBlock * kBlock + 5 * kBlock + 10;
}

// sin r and cos r for |r| <= 0.8 without tables (the tables are made with it): from the
// series of sin for a small r, else from 1 - cos(r / 2^8) doubled eight times, the sine
// then by a square root.
SinCos SinCosByHalving(const Fixed& r, double rError, int scale) {
    const Fixed one = One(scale);
    const double rd = std::fabs(ApproximateValue(r, scale));
    SinCos out;
    if (rd < 1.0 / 64) {
        // sin r = r (1 - r^2/3! + r^4/5! ...), cos r from it.
        const SeriesSum series = BlockedSeries(
            Multiply(r, r, scale), true,
            [](int k) { return static_cast<std::uint32_t>((2 * k) * (2 * k + 1)); }, scale);
        out.sin = Multiply(r, series.value, scale);
        const double sinError = BlockedSeriesError(series.terms) + rError + 1;
        out.cos = SquareRoot(Subtract(one, Multiply(out.sin, out.sin, scale)), scale);
        out.error = 2 * sinError + 3;
        return out;
    }
    // v = 1 - cos(r / 2^8) by its series, then doubled eight times: 1 - cos 2a = 2v(2 - v).
    constexpr int kHalvings = 8;
    const Fixed t = DivideSmall(r, 1U << kHalvings);
    const SeriesSum series = BlockedSeries(
        Multiply(t, t, scale), true,
        [](int k) { return static_cast<std::uint32_t>((2 * k - 1) * (2 * k)); }, scale);
    // The series starts at the constant term 1; v is what follows it, negated.
    Fixed v = Subtract(one, series.value);
    double vError = BlockedSeriesError(series.terms) + 2 * rError / (1 << kHalvings) + 2;
    double vd = 1 - std::cos(rd / (1 << kHalvings));
    for (int i = 0; i < kHalvings; ++i) {
        v = Subtract(MultiplySmall(v, 4), MultiplySmall(Multiply(v, v, scale), 2));
        vError = (4 + 4 * vd) * vError + 3;
        vd = 2 * vd * (2 - vd);
    }
    out.cos = Subtract(one, v);
    out.sin = SquareRoot(Multiply(v, Subtract(MultiplySmall(one, 2), v), scale), scale);
    out.sin.negative = r.negative && !IsNil(out.sin);
    const double sinD = std::sin(rd);
    out.error = std::max(vError, (2 * vError + 2) / (2 * sinD * 0.99) + 2);
    return out;
}

// sin(a + b) and cos(a + b) from both of a and of b.
void AddAngles(const Fixed& sinA, const Fixed& cosA, Fixed& sinB, Fixed& cosB, int scale) {
    const Fixed sinSum = Add(Multiply(sinA, cosB, scale), Multiply(cosA, sinB, scale));
    cosB = Subtract(Multiply(cosA, cosB, scale), Multiply(sinA, sinB, scale));
    sinB = sinSum;
}

}  // namespace

const Fixed& PiAt(int scale) {
    thread_local ConstantCache cache;
    return Cached(cache, scale, MakePi);
}

const Fixed& Ln2At(int scale) {
    thread_local ConstantCache cache;
    return Cached(cache, scale, MakeLn2);
}

const Fixed& Ln10At(int scale) {
    thread_local ConstantCache cache;
    return Cached(cache, scale, MakeLn10);
}

// e^x = 2^n (1 + j1/64) (1 + j2/8192) e^t with t = x - n ln2 - ln(1 + j1/64) -
// ln(1 + j2/8192), |t| < 7e-5.
Approx ExpKernel(const Fixed& x, double xError, int scale) {
    const double xd = ApproximateValue(x, scale);
    const long long n = std::llround(xd / kLn2);
    const auto steps = static_cast<std::uint32_t>(std::llabs(n));
    const Fixed turns = MultiplySmall(Ln2At(scale), steps);
    Fixed t = n >= 0 ? Subtract(x, turns) : Add(x, turns);
    double tError = xError + steps + 4;
    double td = xd - static_cast<double>(n) * kLn2;
    const int j1 = NearestIndex(64 * std::expm1(td), kCoarseLimit);
    t = Subtract(t, CoarseLogs().At(j1, scale));
    td -= std::log1p(j1 / 64.0);
    const int j2 = NearestIndex(8192 * std::expm1(td), kFineLimit);
    t = Subtract(t, FineLogs().At(j2, scale));

    const SeriesSum series = BlockedSeries(
        t, false, [](int k) { return static_cast<std::uint32_t>(k); }, scale);
    const std::uint32_t factor = static_cast<std::uint32_t>((64 + j1) * (8192 + j2));
    Fixed value = DivideSmall(MultiplySmall(series.value, factor), 64 * 8192);
    const double ratio = factor / (64.0 * 8192.0);
    double error = ratio * (BlockedSeriesError(series.terms) + 1.5 * tError) + 2;
    value = ScaleByTwo(value, static_cast<int>(n));
    error = std::ldexp(error, static_cast<int>(n)) + (n < 0 ? steps / 29.0 + 2 : 0);
    return {value, error};
}

// ln x = k ln 2 + ln(1 + j1/64) + ln(1 + j2/8192) + 2 atanh z, with
// m = x / (2^k (1 + j1/64) (1 + j2/8192)) near 1 and z = (m - 1) / (m + 1), |z| < 4e-5.
Approx LnKernel(const Fixed& x, int scale) {
    constexpr double kLog2Of10 = 3.321928094887362;
    const double log10x = ApproximateLog10(x, scale);
    const int k = static_cast<int>(std::lround(log10x * kLog2Of10));
    Fixed m = ScaleByTwo(x, -k);
    double mError = k > 0 ? k / 29.0 + 2 : 0;
    double md = std::pow(10.0, log10x - k / kLog2Of10);
    const int j1 = NearestIndex(64 * (md - 1), kCoarseLimit);
    m = DivideSmall(MultiplySmall(m, 64), static_cast<std::uint32_t>(64 + j1));
    mError = mError * 64 / (64 + j1) + 1;
    md = md * 64 / (64 + j1);
    const int j2 = NearestIndex(8192 * (md - 1), kFineLimit);
    m = DivideSmall(MultiplySmall(m, 8192), static_cast<std::uint32_t>(8192 + j2));
    mError = mError * 8192 / (8192 + j2) + 1;

    const Fixed one = One(scale);
    const Fixed z = Divide(Subtract(m, one), Add(m, one), scale);
    const double zError = mError + 1;
    const Fixed series = OddReciprocalSeries(Multiply(z, z, scale), false, scale);
    const Fixed lnM = MultiplySmall(Multiply(z, series, scale), 2);
    const auto steps = static_cast<std::uint32_t>(std::abs(k));
    const Fixed turns = MultiplySmall(Ln2At(scale), steps);
    Fixed value = Add(k >= 0 ? turns : Negated(turns),
                      Add(CoarseLogs().At(j1, scale), FineLogs().At(j2, scale)));
    value = Add(value, lnM);
    const double error = steps + 4 + 2 * (zError + kOddSeriesError * 1e-4 + 3);
    return {value, error};
}

// atan y = atan(j1/64) + atan(j2/8192) + atan u, the steps taken out by
// atan a - atan c = atan((a - c) / (1 + a c)); |u| < 7e-5.
Approx AtanKernel(const Fixed& y, double yError, int scale) {
    const Fixed one = One(scale);
    Fixed a = y;
    a.negative = false;
    const double ad = std::fabs(ApproximateValue(y, scale));
    const int j1 = std::clamp(NearestIndex(64 * ad, kCoarseAtanLimit), 0, kCoarseAtanLimit);
    const auto c1 = static_cast<std::uint32_t>(j1);
    const Fixed u1 = Divide(Subtract(a, DivideSmall(FixedInteger(c1, scale), 64)),
                            Add(one, DivideSmall(MultiplySmall(a, c1), 64)), scale);
    const double u1d = (ad - j1 / 64.0) / (1 + ad * j1 / 64.0);
    const int j2 = NearestIndex(8192 * u1d, kFineAtanLimit);
    const auto c2 = static_cast<std::uint32_t>(std::abs(j2));
    Fixed step2 = DivideSmall(FixedInteger(c2, scale), 8192);
    Fixed cross = DivideSmall(MultiplySmall(u1, c2), 8192);
    if (j2 < 0) {
        step2 = Negated(step2);
        cross = Negated(cross);
    }
    const Fixed u = Divide(Subtract(u1, step2), Add(one, cross), scale);
    const Fixed series = OddReciprocalSeries(Multiply(u, u, scale), true, scale);
    Fixed value = Add(CoarseAtans().At(j1, scale), Multiply(u, series, scale));
    const Fixed fine = FineAtans().At(static_cast<int>(c2), scale);
    value = j2 < 0 ? Subtract(value, fine) : Add(value, fine);
    if (y.negative) value = Negated(value);
    return {value, 3 * yError + 16};
}

// sin r = sin(j1/64 + j2/8192 + u), |u| <= 1/16384: sin and cos of the steps from the
// tables, of u by their series, put together by the angle sums.
SinCos SinCosKernel(const Fixed& r, double rError, int scale) {
    Fixed a = r;
    a.negative = false;
    const double ad = std::fabs(ApproximateValue(r, scale));
    const int j1 = std::clamp(NearestIndex(64 * ad, kCoarseTurnLimit), 0, kCoarseTurnLimit);
    const int j2 = NearestIndex(8192 * (ad - j1 / 64.0), kFineTurnLimit);
    const auto c2 = static_cast<std::uint32_t>(std::abs(j2));
    Fixed u = Subtract(a, DivideSmall(FixedInteger(static_cast<std::uint64_t>(j1), scale), 64));
    const Fixed step = DivideSmall(FixedInteger(c2, scale), 8192);
    u = j2 < 0 ? Add(u, step) : Subtract(u, step);

    const Powers powers = PowersOf(Multiply(u, u, scale), true, scale);
    const SeriesSum sinSeries = BlockedSeries(
        powers, [](int k) { return static_cast<std::uint32_t>((2 * k) * (2 * k + 1)); }, scale);
    const SeriesSum cosSeries = BlockedSeries(
        powers, [](int k) { return static_cast<std::uint32_t>((2 * k - 1) * (2 * k)); }, scale);
    SinCos out;
    out.sin = Multiply(u, sinSeries.value, scale);
    out.cos = cosSeries.value;
    Fixed fineSin = FineTurns().At(static_cast<int>(c2), scale, 0);
    if (j2 < 0) fineSin = Negated(fineSin);
    AddAngles(fineSin, FineTurns().At(static_cast<int>(c2), scale, 1), out.sin, out.cos, scale);
    AddAngles(CoarseTurns().At(j1, scale, 0), CoarseTurns().At(j1, scale, 1), out.sin, out.cos,
              scale);
    if (r.negative) out.sin = Negated(out.sin);
    const double seriesError = BlockedSeriesError(std::max(sinSeries.terms, cosSeries.terms)) + 2;
    out.error = 2 * (2 * seriesError + 10) + 10 + rError;
    return out;
}

}  // namespace pemu::arith::detail
