#include "schedule/portablemath.h"

#include <array>
#include <cmath>
#include <optional>

namespace corvane {

namespace {

// A number as the unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct DD {
    double hi = 0;
    double lo = 0;
};

DD QuickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The exact product, by Dekker's splitting (no fused multiply-add, which not every build would use).
DD TwoProduct(double a, double b) {
    constexpr double kSplit = 134217729.0; // 2^27 + 1
    const double ta = kSplit * a, tb = kSplit * b;
    const double ah = ta - (ta - a), al = a - ah;
    const double bh = tb - (tb - b), bl = b - bh;
    const double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD Add(DD a, DD b) {
    DD s = TwoSum(a.hi, b.hi);
    const DD t = TwoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = QuickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return QuickTwoSum(s.hi, s.lo);
}

DD Negate(DD a) {
    return {-a.hi, -a.lo};
}

DD Sub(DD a, DD b) {
    return Add(a, Negate(b));
}

DD Mul(DD a, DD b) {
    DD p = TwoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return QuickTwoSum(p.hi, p.lo);
}

DD Mul(DD a, double b) {
    DD p = TwoProduct(a.hi, b);
    p.lo += a.lo * b;
    return QuickTwoSum(p.hi, p.lo);
}

DD Div(DD a, DD b) {
    const double q1 = a.hi / b.hi;
    DD r = Sub(a, Mul(b, q1));
    const double q2 = r.hi / b.hi;
    r = Sub(r, Mul(b, q2));
    const double q3 = r.hi / b.hi;
    return Add(QuickTwoSum(q1, q2), DD{q3, 0});
}

DD Sqrt(DD a) {
    if (a.hi <= 0) return {};
    const double x = std::sqrt(a.hi); // correctly rounded on every system
    const DD square = TwoProduct(x, x);
    const double correction = Sub(a, square).hi / (2 * x);
    return TwoSum(x, correction);
}

// pi/2 and pi as sums of three doubles; 2/pi for the quadrant.
constexpr double kHalfPi1 = 0x1.921fb54442d18p+0, kHalfPi2 = 0x1.1a62633145c07p-54,
                 kHalfPi3 = -0x1.f1976b7ed8fbcp-110;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr DD kHalfPi{kHalfPi1, kHalfPi2};

// The coefficients of the series, exact to double-double: 1/((2n)(2n+1)) for the sine, 1/((2n-1)(2n))
// for the cosine, 1/(2n+1) for the arctangent. With these many terms the first one left out is below
// 2^-110 of the result.
struct Series {
    static constexpr int kTrigTerms = 14;
    static constexpr int kAtanTerms = 17;
    std::array<DD, kTrigTerms + 1> sine{}, cosine{};
    std::array<DD, kAtanTerms + 1> atan{};
    Series() {
        for (int n = 1; n <= kTrigTerms; ++n) {
            sine[n] = Div(DD{1, 0}, DD{static_cast<double>((2 * n) * (2 * n + 1)), 0});
            cosine[n] = Div(DD{1, 0}, DD{static_cast<double>((2 * n - 1) * (2 * n)), 0});
        }
        for (int n = 0; n <= kAtanTerms; ++n) atan[n] = Div(DD{1, 0}, DD{static_cast<double>(2 * n + 1), 0});
    }
};

const Series& Coefficients() {
    static const Series series;
    return series;
}

// sin r and cos r for |r| <= pi/4, by their Taylor series in Horner's form.
DD SinKernel(DD r) {
    const Series& c = Coefficients();
    const DD r2 = Mul(r, r);
    DD s{1, 0};
    for (int n = Series::kTrigTerms; n >= 1; --n) s = Sub(DD{1, 0}, Mul(Mul(r2, s), c.sine[n]));
    return Mul(r, s);
}

DD CosKernel(DD r) {
    const Series& c = Coefficients();
    const DD r2 = Mul(r, r);
    DD s{1, 0};
    for (int n = Series::kTrigTerms; n >= 1; --n) s = Sub(DD{1, 0}, Mul(Mul(r2, s), c.cosine[n]));
    return s;
}

// x = r + k pi/2 with |r| <= pi/4 (about), to double-double: pi/2 in three parts makes k pi/2 exact
// enough for every angle of the program. An angle beyond 2^60 (no coordinate comes near) is first
// taken modulo the double nearest 2 pi, which is exact arithmetic, if not the true sine.
struct Reduced {
    DD r;
    int quadrant = 0; // k mod 4
};

Reduced Reduce(double x) {
    if (std::fabs(x) > 0x1p60) x = std::fmod(x, 4 * kHalfPi1);
    Reduced reduced{{x, 0}, 0};
    double whole = 0;
    // The quadrant from x 2/pi in doubles can be off for large x; another round settles it. Near pi/4
    // (where either quadrant serves) the nearest k is 0 and the reduction ends.
    for (int round = 0; round < 3 && std::fabs(reduced.r.hi) > 0.785398163397448; ++round) {
        const double k = std::nearbyint(reduced.r.hi * kTwoOverPi);
        if (k == 0) break;
        DD r = Sub(reduced.r, TwoProduct(k, kHalfPi1));
        r = Sub(r, TwoProduct(k, kHalfPi2));
        reduced.r = Sub(r, DD{k * kHalfPi3, 0});
        whole += std::fmod(k, 4.0);
    }
    const long long quadrant = static_cast<long long>(std::fmod(whole, 4.0));
    reduced.quadrant = static_cast<int>((quadrant % 4 + 4) % 4);
    return reduced;
}

// The fast way: a table of sines, cosines and arctangents at multiples of 1/64 (computed once by the
// series above) and short polynomials in plain double arithmetic, carried with the leading rounding
// errors. The result is taken when every value within its error bound rounds to the same double;
// otherwise (rarely) the series decide. Either way the same operations run on every system.
constexpr double kTableStep = 64;
constexpr int kSinTableSize = 52;  // up to pi/4
constexpr int kAtanTableSize = 65; // up to 1

struct Tables {
    std::array<DD, kSinTableSize> sine{}, cosine{};
    std::array<DD, kAtanTableSize> atan{};
    Tables();
};

DD SlowAtan(DD t);

Tables::Tables() {
    for (int j = 0; j < kSinTableSize; ++j) {
        sine[j] = SinKernel(DD{j / kTableStep, 0});
        cosine[j] = CosKernel(DD{j / kTableStep, 0});
    }
    for (int k = 0; k < kAtanTableSize; ++k) atan[k] = SlowAtan(DD{k / kTableStep, 0});
}

const Tables& Table() {
    static const Tables tables;
    return tables;
}

// The double nearest to hi + lo when every value within error of it rounds to that same double.
std::optional<double> Rounded(double hi, double lo, double error) {
    const double below = hi + (lo - error), above = hi + (lo + error);
    if (below != above) return std::nullopt;
    return below;
}

// Allows for the rounding errors of the fast way, with room to spare: relative ones, and with a table
// entry (fromTable) absolute ones of the products with the table's values.
double ErrorBound(double value, bool fromTable) {
    return std::fabs(value) * 0x1p-62 + (fromTable ? 0x1p-66 : 0.0);
}

// sin r (or cos r with cosine true) for |r| <= pi/4 the fast way.
std::optional<double> FastKernel(DD r, bool cosine) {
    const Tables& table = Table();
    const int j = static_cast<int>(std::nearbyint(r.hi * kTableStep));
    const int index = j < 0 ? -j : j;
    const double sign = j < 0 ? -1.0 : 1.0;
    // d = r - j/64, exactly; |d| <= 1/128.
    const double dh = r.hi - j / kTableStep, dl = r.lo;
    const double d2 = dh * dh;
    // sin d - dh and cos d - 1, to well below 2^-70.
    const double sinTail = dl + dh * d2 * (-1.0 / 6 + d2 * (1.0 / 120 - d2 / 5040));
    const double cosMinusOne = d2 * (-0.5 + d2 * (1.0 / 24 - d2 / 720)) - dh * dl;
    // sin(a + d) = S + S (cos d - 1) + C sin d; cos(a + d) = C + C (cos d - 1) - S sin d; with
    // S = sin a, C = cos a (the sine odd in j).
    const DD S{sign * table.sine[index].hi, sign * table.sine[index].lo};
    const DD& C = table.cosine[index];
    const DD lead = cosine ? C : S;
    const DD other = cosine ? Negate(S) : C;
    const DD product = TwoProduct(other.hi, dh);
    const DD sum = TwoSum(lead.hi, product.hi);
    const double lo =
        sum.lo + product.lo + lead.lo + lead.hi * cosMinusOne + other.hi * sinTail + other.lo * dh;
    return Rounded(sum.hi, lo, ErrorBound(sum.hi, j != 0));
}

double Sine(DD r) {
    if (const auto fast = FastKernel(r, false)) return *fast;
    return SinKernel(r).hi;
}

double Cosine(DD r) {
    if (const auto fast = FastKernel(r, true)) return *fast;
    return CosKernel(r).hi;
}

// atan t for 0 <= t <= 1 (double-double) by the series after three halvings.
DD SlowAtan(DD t) {
    // Three halvings, atan t = 2 atan(t / (1 + sqrt(1 + t^2))), bring t below tan(pi/32).
    for (int i = 0; i < 3; ++i) t = Div(t, Add(DD{1, 0}, Sqrt(Add(DD{1, 0}, Mul(t, t)))));
    const Series& c = Coefficients();
    const DD t2 = Mul(t, t);
    DD s = c.atan[Series::kAtanTerms];
    for (int n = Series::kAtanTerms - 1; n >= 0; --n) s = Sub(c.atan[n], Mul(t2, s));
    return Mul(Mul(t, s), 8.0);
}

// atan v for 0 <= v <= 1 the fast way, plus pi/2 - that with inverted; as hi + lo.
std::optional<double> FastAtan(DD v, bool inverted) {
    const Tables& table = Table();
    const int k = static_cast<int>(std::nearbyint(v.hi * kTableStep));
    const double b = k / kTableStep;
    // u = (v - b) / (1 + v b), to double-double; |u| <= 1/128.
    double q = v.hi, ulo = v.lo;
    if (k > 0) {
        const DD numerator = QuickTwoSum(v.hi - b, v.lo); // v.hi - b is exact
        const DD vb = TwoProduct(v.hi, b);
        DD denominator = TwoSum(1.0, vb.hi);
        denominator = QuickTwoSum(denominator.hi, denominator.lo + vb.lo + v.lo * b);
        q = numerator.hi / denominator.hi;
        ulo = Sub(numerator, Mul(denominator, q)).hi / denominator.hi;
    }
    const double u2 = q * q;
    const double tail = ulo + q * u2 * (-1.0 / 3 + u2 * (1.0 / 5 - u2 * (1.0 / 7 - u2 / 9)));
    const DD& a = table.atan[k];
    DD sum = TwoSum(a.hi, q);
    double lo = sum.lo + a.lo + tail;
    if (inverted) {
        const DD rest = TwoSum(kHalfPi1, -sum.hi);
        sum = rest;
        lo = rest.lo + kHalfPi2 - lo;
    }
    return Rounded(sum.hi, lo, ErrorBound(sum.hi, k != 0));
}

} // namespace

double PortableSin(double x) {
    if (!std::isfinite(x)) return std::nan("");
    if (x == 0) return x; // keeps the sign of zero
    const Reduced reduced = Reduce(x);
    switch (reduced.quadrant) {
    case 0:
        return Sine(reduced.r);
    case 1:
        return Cosine(reduced.r);
    case 2:
        return -Sine(reduced.r);
    default:
        return -Cosine(reduced.r);
    }
}

double PortableCos(double x) {
    if (!std::isfinite(x)) return std::nan("");
    const Reduced reduced = Reduce(x);
    switch (reduced.quadrant) {
    case 0:
        return Cosine(reduced.r);
    case 1:
        return -Sine(reduced.r);
    case 2:
        return -Cosine(reduced.r);
    default:
        return Sine(reduced.r);
    }
}

double PortableAtan(double x) {
    if (std::isnan(x)) return x;
    if (x == 0) return x;
    if (std::isinf(x)) return x > 0 ? kHalfPi1 : -kHalfPi1;
    const bool negative = x < 0;
    DD v{std::fabs(x), 0};
    const bool inverted = v.hi > 1;
    if (inverted) v = Div(DD{1, 0}, v); // atan x = pi/2 - atan(1/x)
    double result = 0;
    if (const auto fast = FastAtan(v, inverted)) {
        result = *fast;
    } else {
        const DD slow = SlowAtan(v);
        result = inverted ? Sub(kHalfPi, slow).hi : slow.hi;
    }
    return negative ? -result : result;
}

} // namespace corvane
