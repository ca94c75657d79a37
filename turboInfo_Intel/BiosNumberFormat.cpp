#include "turboInfo_Intel/BiosNumberFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace biositem {

namespace {

// Largest power of ten kept as a 32-bit denominator.
constexpr int kMaxDenominatorPower = 9;

long long PowerOfTenInteger(int power)
{
    long long result = 1;
    for (int i = 0; i < power; ++i)
        result *= 10;
    return result;
}

// Exact for the powers up to 10^22 that doubles hold exactly.
double PowerOfTen(int power)
{
    if (power > 22)
        return std::pow(10.0, power);
    double result = 1.0;
    for (int i = 0; i < power; ++i)
        result *= 10.0;
    return result;
}

int SaturateToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// value x 10^power, held at the int range once it leaves it.
long long SaturatingScaleUp(long long value, int power)
{
    for (int i = 0; i < power && value != 0; ++i) {
        if (value > INT_MAX || value < INT_MIN)
            break;
        value *= 10;
    }
    return value;
}

// value / 10^power, rounded half away from zero.
long long RoundedScaleDown(long long value, int power)
{
    // A numerator of a value list stays far below 10^18.
    if (power > 18)
        return 0;
    const long long divisor = PowerOfTenInteger(power);
    const long long half = divisor / 2;
    return value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
}

}  // namespace

int UnitDigits(int unitCode)
{
    switch (unitCode) {
    case 1:
        return 2;
    case 2:
    case 12:
        return 3;
    case 3:
        return 4;
    default:
        return 0;
    }
}

int TrailingDecimalZeros(long long x)
{
    if (x < 0)
        x = -x;
    if (x == 0)
        return 0;
    int zeros = 0;
    while (x % 10 == 0) {
        x /= 10;
        ++zeros;
    }
    return zeros;
}

int DecimalPlaces(int exponent, int unitDigits, int base, int step)
{
    const int scale = std::abs(exponent) + unitDigits;
    const int zeros = std::min(TrailingDecimalZeros(base), TrailingDecimalZeros(step));
    return zeros >= scale ? 0 : scale - zeros;
}

void ScaledRational(long long numerator, int power, int* outNumerator, int* outDenominator)
{
    if (power >= 0) {
        *outNumerator = SaturateToInt(SaturatingScaleUp(numerator, power));
        *outDenominator = 1;
        return;
    }
    int denominatorPower = -power;
    if (denominatorPower > kMaxDenominatorPower) {
        numerator = RoundedScaleDown(numerator, denominatorPower - kMaxDenominatorPower);
        denominatorPower = kMaxDenominatorPower;
    }
    *outNumerator = SaturateToInt(numerator);
    *outDenominator = static_cast<int>(PowerOfTenInteger(denominatorPower));
}

double ScaledValue(long long numerator, int power)
{
    const double value = static_cast<double>(numerator);
    return power >= 0 ? value * PowerOfTen(power) : value / PowerOfTen(-power);
}

FixedPointDigits ConvertFixedPoint(double value, int decimals)
{
    FixedPointDigits result;
    if (!std::isfinite(value))
        value = 0.0;
    if (decimals < 0)
        decimals = 0;
    result.negative = std::signbit(value) && value != 0.0;
    const double magnitude = std::fabs(value);

    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, magnitude);
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), "%.*f", decimals, magnitude);

    std::string digits;
    int integerDigits = 0;
    bool beforePoint = true;
    for (const char* c = text.data(); *c; ++c) {
        if (*c == '.') {
            beforePoint = false;
            continue;
        }
        digits += *c;
        if (beforePoint)
            ++integerDigits;
    }
    // Leading zeros move the point to the left, as the runtime reports it.
    std::size_t leading = 0;
    while (leading < digits.size() && digits[leading] == '0')
        ++leading;
    if (leading == digits.size()) {
        // A zero value: one "0" before the point when no places are asked
        // for, else as many zeros as places, point before them.
        result.digits = decimals == 0 ? "0" : std::string(static_cast<std::size_t>(decimals), '0');
        result.decimalPoint = decimals == 0 ? 1 : 0;
        return result;
    }
    result.digits = digits.substr(leading);
    result.decimalPoint = integerDigits - static_cast<int>(leading);
    return result;
}

std::string FixedPointText(const FixedPointDigits& converted)
{
    std::string text = converted.digits;
    const int point = converted.decimalPoint;
    if (point <= 0) {
        text.insert(0, static_cast<std::size_t>(1 - point), '0');
        text.insert(1, 1, '.');
    } else if (static_cast<int>(text.size()) > point) {
        text.insert(static_cast<std::size_t>(point), 1, '.');
    }
    if (converted.negative)
        text.insert(0, 1, '-');
    return text;
}

}  // namespace biositem
