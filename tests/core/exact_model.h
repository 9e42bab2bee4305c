#pragma once

// An independent model of the estimate's arithmetic: every amount of money
// is an exact rational (GMP), every rounding is done on exact values by the
// rule that defines it. Only what the rules call a Double is a hardware
// double. It uses none of the engine's helpers.

#include <gmpxx.h>

#include "ratedata/jurisdiction.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace levywise::model {

// A unit's fields as the model needs them: money in ten-thousandths.
struct Unit {
    double rate = 0, optHS = 0;
    std::int64_t hs = 0, o65 = 0, dp = 0, optO65 = 0, optDP = 0;
    int vet[5] = {0, 0, 0, 0, 0}; // [1..4]
    bool quarlow = false;         // a city with the higher homestead minimum
};

// A rate table's unit as the model reads it; only a city can have the higher
// homestead minimum.
inline Unit UnitOf(const Jurisdiction& j, bool city) {
    std::string name;
    for (std::size_t i = 0; i < 30; ++i)
        if (j.Name[i] != '\0')
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(j.Name[i])));
    name.erase(name.find_last_not_of(' ') + 1);
    return Unit{j.TaxRate,
                j.OptHS,
                j.HSAmt.raw(),
                j.O65Amt.raw(),
                j.DPAmt.raw(),
                j.OptO65.raw(),
                j.OptDP.raw(),
                {0, j.Vet1, j.Vet2, j.Vet3, j.Vet4},
                city && name == "CITY OF QUARLOW"};
}

struct Property {
    double value = 0;
    bool ghs = false;
    int age = 0; // 0 neither, 1 over 65, 2 disabled
    int vet = 0; // 0 none, 1..4
};

struct UnitResult {
    std::int64_t hs = 0, age = 0, vet = 0, net = 0, base = 0, tax = 0; // cents as shown
};

struct Result {
    bool valueTooLarge = false, taxTooLarge = false;
    UnitResult units[3] = {};
    std::vector<double> districtTaxes;
    std::int64_t spclTotal = 0; // ten-thousandths
    std::int64_t spclCents = 0, totalCents = 0;
};

inline const mpz_class kMax = (mpz_class(1) << 63) - 1;
inline const mpz_class kMin = -(mpz_class(1) << 63);

inline mpq_class exact(double d) { return mpq_class(d); }

// The nearest integer, a half to the even one.
inline mpz_class halfEven(const mpq_class& q) {
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    const mpq_class rest = q - floor;
    if (rest > mpq_class(1, 2) || (rest == mpq_class(1, 2) && mpz_odd_p(floor.get_mpz_t())))
        ++floor;
    return floor;
}

// The nearest integer, a half away from zero.
inline mpz_class halfAway(const mpq_class& q) {
    mpz_class magnitude;
    const mpq_class a = abs(q) + mpq_class(1, 2);
    mpz_fdiv_q(magnitude.get_mpz_t(), a.get_num_mpz_t(), a.get_den_mpz_t());
    return q < 0 ? mpz_class(-magnitude) : magnitude;
}

// Money: an exact amount rounded to ten-thousandths; empty outside 64 bits.
inline std::optional<mpz_class> money(const mpq_class& amount) {
    const mpz_class raw = halfEven(amount * 10000);
    if (raw > kMax || raw < kMin) return std::nullopt;
    return raw;
}

// The nearest double of a decimal text (the C library reads it).
inline double nearest(const mpz_class& units, int decimals) {
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(decimals));
    const mpz_class magnitude = abs(units);
    mpz_class whole = magnitude / scale, fraction = magnitude % scale;
    std::string digits = fraction.get_str();
    digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
    return std::strtod(((units < 0 ? "-" : "") + whole.get_str() + "." + digits).c_str(), nullptr);
}

// Cents as the money format shows a double: its 15-significant-digit
// decimal (a half to even), then a half cent away from zero.
inline std::int64_t shownCents(double d) {
    const mpq_class q = exact(d);
    if (q == 0) return 0;
    int e = 0; // 10^e <= |q| < 10^(e+1)
    mpq_class power(1);
    while (abs(q) >= power * 10) power *= 10, ++e;
    while (abs(q) < power) power /= 10, --e;
    const mpq_class digits15 =
        mpq_class(halfEven(q / power * mpq_class(100000000000000))) / 100000000000000 * power;
    return halfAway(digits15 * 100).get_si();
}

inline std::int64_t shownCents(const mpz_class& raw) {
    return halfAway(mpq_class(raw, 100)).get_si();
}

// A working figure: exact ten-thousandths once money took part, else a double.
struct Figure {
    bool isMoney = false;
    double number = 0;
    mpz_class raw;
    mpq_class exactValue() const { return isMoney ? mpq_class(raw, 10000) : exact(number); }
    double asDouble() const { return isMoney ? nearest(raw, 4) : number; }
    std::int64_t cents() const { return isMoney ? shownCents(raw) : shownCents(number); }
};

inline std::optional<Figure> exemption(std::int64_t fixed, double fraction, const mpq_class& amount,
                                       bool isFraction, double value, double minimum) {
    mpq_class part = amount;
    if (isFraction) {
        const double product = value * fraction; // Double arithmetic, as the rule says
        mpz_class whole;
        const mpq_class sum = exact(product + 0.5);
        mpz_fdiv_q(whole.get_mpz_t(), sum.get_num_mpz_t(), sum.get_den_mpz_t());
        part = whole < minimum ? mpq_class(minimum) : mpq_class(whole);
    }
    const auto raw = money(mpq_class(fixed, 10000) + part);
    if (!raw) return std::nullopt;
    return Figure{true, 0, *raw};
}

// One unit's breakdown; empty when a figure leaves the range of money.
inline std::optional<UnitResult> unitTax(const Unit& u, const Property& p, bool city, double* tax) {
    const double hsMinimum = city && u.quarlow ? 10000 : 5000;
    Figure hs, age, vet, net{false, p.value, 0};
    bool hasHS = false, hasAge = false;
    if (p.ghs) {
        const auto f = exemption(u.hs, u.optHS, exact(u.optHS), u.optHS > 0 && u.optHS < 1, p.value,
                                 hsMinimum);
        if (!f) return std::nullopt;
        hs = *f, hasHS = true;
    }
    if (p.age != 0) {
        const std::int64_t fixed = p.age == 1 ? u.o65 : u.dp, opt = p.age == 1 ? u.optO65 : u.optDP;
        const auto f = exemption(fixed, static_cast<double>(opt) / 10000, mpq_class(opt, 10000),
                                 opt > 0 && opt < 10000, p.value, 5000);
        if (!f) return std::nullopt;
        age = *f, hasAge = true;
    }
    if (p.vet != 0) vet = Figure{false, static_cast<double>(u.vet[p.vet]), 0};
    for (const Figure* f : {hasHS ? &hs : nullptr, hasAge ? &age : nullptr}) {
        if (!f) continue;
        const auto raw = money(net.exactValue() - f->exactValue());
        if (!raw) return std::nullopt;
        net = Figure{true, 0, *raw};
    }
    if (p.vet != 0 && net.isMoney) {
        const auto raw = money(net.exactValue() - vet.number);
        if (!raw) return std::nullopt;
        net.raw = *raw;
    } else if (p.vet != 0) {
        net.number -= vet.number;
    }
    if (net.exactValue() < 0) net = net.isMoney ? Figure{true, 0, 0} : Figure{false, 0, 0};
    const double base = net.asDouble() / 100;
    *tax = base * u.rate;
    if (!(*tax > -922337203685477.0 && *tax < 922337203685477.0)) return std::nullopt;
    // The city shows a homestead larger than the value as the value.
    const bool capped = city && (hasHS ? hs.exactValue() : mpq_class(0)) > exact(p.value);
    const Figure shownHS = capped ? Figure{false, p.value, 0} : hs;
    return UnitResult{shownHS.cents(), age.cents(),      vet.cents(),
                      net.cents(),     shownCents(base), shownCents(*tax)};
}

// The whole estimate: county, city, school, then the districts.
inline Result estimate(const Unit units[3], const std::vector<Unit>& districts, const Property& p) {
    Result r, tooLarge;
    tooLarge.taxTooLarge = true;
    if (!std::isfinite(p.value) || !money(exact(p.value))) {
        r.valueTooLarge = true;
        return r;
    }
    double tax = 0;
    for (int k = 0; k < 3; ++k) {
        const auto u = unitTax(units[k], p, k == 1, &tax);
        if (!u) return tooLarge;
        r.units[k] = *u;
    }
    mpz_class spcl = 0;
    for (const Unit& d : districts) {
        const auto sum =
            unitTax(d, p, false, &tax) ? money(mpq_class(spcl, 10000) + exact(tax)) : std::nullopt;
        if (!sum) return tooLarge;
        spcl = *sum;
        r.districtTaxes.push_back(tax);
    }
    // The unit taxes read back from their captions, added as doubles.
    const double shown =
        nearest(r.units[0].tax, 2) + nearest(r.units[1].tax, 2) + nearest(r.units[2].tax, 2);
    const auto total = money(mpq_class(spcl, 10000) + exact(shown));
    if (!total) return tooLarge;
    r.spclTotal = spcl.get_si();
    r.spclCents = shownCents(spcl);
    r.totalCents = shownCents(*total);
    return r;
}

} // namespace levywise::model
