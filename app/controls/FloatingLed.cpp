#include "app/controls/FloatingLed.h"

#include <cmath>
#include <utility>

#include "KyPackage/Source/KyImage.h"
#include "platform/vcl/WinControl.h"

namespace {

constexpr int kPointEntry = 20;
constexpr int kLitPointEntry = 21;
constexpr int kLitDigitOffset = 10;  // the highlighted digits follow the plain ones

// The point position's own gap: it starts this far inside the digit before
// it, and the next digit starts this much closer than a digit's width.
constexpr int kPointOverlap = 4;
constexpr int kPointNarrowing = 10;

// Values closer than this (in units of the place compared) to a digit
// boundary count as on it. A decimal value such as 1.2 is held in binary as
// 1.19999...; without the allowance its truncated digits would read 1.19.
constexpr double kBoundaryAllowance = 1e-7;

// The digits of a value in a fixed format, most significant first.
struct FixedDigits {
    double integerPart = 0;     // whole, non-negative
    std::vector<int> fraction;  // one digit 0-9 per fraction position
};

// Truncates `value` to the fraction count, except that the last fraction
// digit is rounded; the rounding carries into nothing (a 10 stays a 9).
FixedDigits SplitFixed(double value, int fractionDigits)
{
    FixedDigits out;
    if (!(value > 0))  // negative values and not-a-number
        value = 0;
    if (fractionDigits <= 0) {
        out.integerPart = std::floor(value + kBoundaryAllowance);
        return out;
    }
    const double leadScale = std::pow(10.0, fractionDigits - 1);
    const double scaled = value * leadScale * 10;
    // Integer part and all fraction digits but the last, in units of the
    // last-but-one place.
    const double lead = std::floor(scaled / 10 + kBoundaryAllowance);
    double last = std::floor(scaled - lead * 10 + 0.5);
    last = last < 0 ? 0 : (last > 9 ? 9 : last);

    out.integerPart = std::floor(lead / leadScale);
    double leadFraction = lead - out.integerPart * leadScale;
    out.fraction.resize(static_cast<size_t>(fractionDigits));
    for (int k = fractionDigits - 2; k >= 0; --k) {
        out.fraction[static_cast<size_t>(k)] = static_cast<int>(std::fmod(leadFraction, 10.0));
        leadFraction = std::floor(leadFraction / 10);
    }
    out.fraction.back() = static_cast<int>(last);
    return out;
}

}  // namespace

FloatingLed::FloatingLed(TWinControl* owner) : m_owner(owner) {}

FloatingLed::~FloatingLed() = default;

NumberLed* FloatingLed::Digit(int index) const
{
    if (index < 0 || index >= DigitCount())
        return nullptr;
    return m_digits[static_cast<size_t>(index)].get();
}

void FloatingLed::SetLeft(int x)
{
    for (auto& digit : m_digits)
        digit->SetLeft(digit->Left() + x - m_left);
    m_left = x;
}

void FloatingLed::SetTop(int y)
{
    for (auto& digit : m_digits)
        digit->SetTop(digit->Top() + y - m_top);
    m_top = y;
}

void FloatingLed::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    for (auto& digit : m_digits)
        digit->SetVisible(visible);
}

NumberLed* FloatingLed::CreateDigit(TWinControl*)
{
    return new LargeNumberLed;
}

int FloatingLed::GetSpacing() const
{
    return 0;
}

void FloatingLed::SetFormat(unsigned integerDigits, int fractionDigits)
{
    if (fractionDigits < 0)
        fractionDigits = 0;
    m_integerDigits = integerDigits;
    m_fractionDigits = fractionDigits;
    const int count = static_cast<int>(integerDigits) + fractionDigits + (fractionDigits > 0 ? 1 : 0);
    const int point = fractionDigits > 0 ? static_cast<int>(integerDigits) : -1;
    if (count == DigitCount() && point == m_pointPosition)
        return;
    ClearRow();
    BuildRow(count, point);
}

void FloatingLed::ClearRow()
{
    m_digits.clear();
    m_pointPosition = -1;
}

void FloatingLed::BuildRow(int count, int point)
{
    int x = m_left;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<NumberLed> digit(CreateDigit(m_owner));
        digit->Create(m_owner);
        digit->SetVisible(m_visible);
        // Widths are those of digit 0, which every new position shows.
        if (i == point) {
            x -= kPointOverlap;
            digit->SetLeft(x);
            x += digit->Width() - kPointNarrowing;
        } else {
            digit->SetLeft(x);
            x += GetSpacing() + digit->Width();
        }
        digit->SetTop(m_top);
        m_digits.push_back(std::move(digit));
    }
    m_pointPosition = count > 0 ? point : -1;
}

int FloatingLed::Entry(NumberLed* digit, int plain, int lit) const
{
    return m_highlighted && lit < digit->EntryCount() ? lit : plain;
}

void FloatingLed::ShowDigit(int position, int value)
{
    if (NumberLed* digit = Digit(position))
        digit->SetDigit(Entry(digit, value, value + kLitDigitOffset));
}

void FloatingLed::SetValue(double value)
{
    const FixedDigits digits = SplitFixed(value, m_fractionDigits);
    double n = digits.integerPart;
    for (int i = static_cast<int>(m_integerDigits) - 1; i >= 0; --i) {
        ShowDigit(i, static_cast<int>(std::fmod(n, 10.0)));
        n = std::floor(n / 10);
    }
    if (m_fractionDigits == 0)
        return;
    const int point = static_cast<int>(m_integerDigits);
    if (NumberLed* digit = Digit(point))
        digit->SetDigit(Entry(digit, kPointEntry, kLitPointEntry));
    for (int k = 0; k < m_fractionDigits; ++k)
        ShowDigit(point + 1 + k, digits.fraction[static_cast<size_t>(k)]);
}

// ---- Read-outs with a unit picture ----

UnitFloatingLed::UnitFloatingLed(TWinControl* owner, std::string unitFile, int unitLeft, int unitTop)
    : FloatingLed(owner), m_unitFile(std::move(unitFile)), m_unitLeft(unitLeft), m_unitTop(unitTop)
{
}

UnitFloatingLed::~UnitFloatingLed()
{
    delete m_unit;
}

void UnitFloatingLed::BuildRow(int count, int point)
{
    FloatingLed::BuildRow(count, point);
    if (m_unit || count == 0)
        return;
    m_unit = new KyImage(Owner());
    m_unit->SetVisible(false);
    m_unit->SetParent(Owner());
    m_unit->SetAlphaChannel(true);
    m_unit->SetAutoSize(true);
    NumberLed::LoadSkinPicture(NumberLed::SkinFolder() + m_unitFile, m_unit->Picture()->Bitmap());
    PlaceUnit();
    // Shown with the digits when the read-out already is.
    m_unit->SetVisible(Visible());
}

void UnitFloatingLed::PlaceUnit()
{
    if (m_unit)
        m_unit->SetBounds(Left() + m_unitLeft, Top() + m_unitTop, m_unit->Width(), m_unit->Height());
}

void UnitFloatingLed::SetLeft(int x)
{
    FloatingLed::SetLeft(x);
    PlaceUnit();
}

void UnitFloatingLed::SetTop(int y)
{
    FloatingLed::SetTop(y);
    PlaceUnit();
}

void UnitFloatingLed::SetVisible(bool visible)
{
    FloatingLed::SetVisible(visible);
    if (m_unit)
        m_unit->SetVisible(visible);
}

// ---- The family members ----

SmallFloatingLed::SmallFloatingLed(TWinControl* owner) : UnitFloatingLed(owner, "Small_Numbers\\mhz.png", 44, 0) {}

NumberLed* SmallFloatingLed::CreateDigit(TWinControl*)
{
    return new SmallNumberLed;
}

int SmallFloatingLed::GetSpacing() const
{
    return -4;
}

NumberLed* MiddleFloatingLed::CreateDigit(TWinControl*)
{
    return new MiddleNumberLed;
}

int MiddleFloatingLed::GetSpacing() const
{
    return -1;
}

LargeGreendLed::LargeGreendLed(TWinControl* owner) : UnitFloatingLed(owner, "green\\mhz.png", 76, 3) {}

NumberLed* LargeGreendLed::CreateDigit(TWinControl*)
{
    return new GreenNumberLed;
}

int LargeGreendLed::GetSpacing() const
{
    return -4;
}
