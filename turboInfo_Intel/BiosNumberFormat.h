#pragma once
// Arithmetic and text rules of a number item's value list: unit digits,
// the decimal places a value is shown with, exact rational and double
// conversion without overflow, and the fixed-point digit string with its
// decimal-point position that the value text is built from.

#include <string>

namespace biositem {

// Decimal digits folded into a value by the item's unit code:
// 1 (MHz) 2, 2 (V) and 12 (ratio) 3, 3 4, any other 0.
int UnitDigits(int unitCode);

// Trailing decimal zeros of |x|; 0 for 0.
int TrailingDecimalZeros(long long x);

// Decimal places of a value text: |E| + d - min(t(B), t(S)), or 0 when that
// minimum is not below |E| + d.
int DecimalPlaces(int exponent, int unitDigits, int base, int step);

// numerator x 10^power as a fraction of 32-bit integers. A denominator
// that would not fit 32 bits is held at 10^9 with the numerator scaled
// (rounded) to match; a numerator out of range saturates.
void ScaledRational(long long numerator, int power, int* outNumerator, int* outDenominator);

// numerator x 10^power as a double.
double ScaledValue(long long numerator, int power);

// The C runtime's fixed-point conversion of `value` to `decimals` places:
// the digits without a point and leading zeros, the position of the decimal
// point, and the sign.
struct FixedPointDigits {
    std::string digits;
    int decimalPoint = 0;
    bool negative = false;
};
FixedPointDigits ConvertFixedPoint(double value, int decimals);

// The value text: zeros in front when the point lies at or before the first
// digit, a point inside the digits when they are longer than the point
// position, "-" for a negative value.
std::string FixedPointText(const FixedPointDigits& converted);

}  // namespace biositem
