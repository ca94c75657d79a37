// The item objects: descriptor copy, parsing by kind, and the conversions
// between value index, value and text.

#include "turboInfo_Intel/BiosInterface.h"

#include <climits>
#include <cstdio>

#include "turboInfo_Intel/BiosNumberFormat.h"
#include "vessa/System/VessaAssert.h"

namespace {

// The fixed texts the user sees when a conversion cannot be done.
constexpr const char* kItemCaption = "BiosItem";
constexpr const char* kNotSupportedFormat = "Item[%x] does not supports %s";
constexpr const char* kExtraStringText = "Can not convert extra string to value";
constexpr const char* kIndexToRationalFailCaption = "IndexToRational Fail";
constexpr const char* kIndexToValueFailCaption = "IndexToValue Fail";

// Number items: base, step and count, then optionally M and M texts.
constexpr int kNumberBaseElement = 4;
constexpr int kNumberStepElement = 5;
constexpr int kNumberCountElement = 6;
constexpr int kNumberExtraCountElement = 7;
constexpr int kNumberMinimumElements = 7;
// String items: M, then M texts.
constexpr int kStringCountElement = 4;
constexpr int kStringMinimumElements = 6;
// Boolean items: the header and the info integer.
constexpr int kBooleanMinimumElements = 4;

void ShowBox(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}

int SignExtend24(int word)
{
    return static_cast<int>(static_cast<unsigned>(word) << 8) >> 8;
}

// `count` texts from element `first` on, all inside the descriptor; false
// (and `texts` untouched) when one of them is missing.
template <typename CharT>
bool TakeTexts(const biositem::PackageView& elements, int first, int count, std::vector<const CharT*>* texts)
{
    std::vector<const CharT*> taken;
    taken.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* text = elements.Text(first + i);
        if (!text)
            return false;
        taken.push_back(text);
    }
    texts->swap(taken);
    return true;
}

}  // namespace

// ---- BasicBiosItem ----

constexpr int kDescriptorSlack = 64;

template <typename CharT>
BasicBiosItem<CharT>::BasicBiosItem(const void* descriptor, int size)
{
    if (descriptor && size > 0) {
        const unsigned char* bytes = static_cast<const unsigned char*>(descriptor);
        m_descriptor.assign(bytes, bytes + size);
        // Zeros after the copy: the library reads a package's header even
        // when only a few bytes were used, and must find no elements there.
        m_descriptor.resize(static_cast<size_t>(size) + kDescriptorSlack, 0);
        m_elements = biositem::PackageView(m_descriptor.data(), size);
    }
    int id = 0;
    if (m_elements.Count() >= kBiosHeaderElements && m_elements.ReadInteger(kBiosElementId, &id)) {
        m_id = static_cast<DWORD>(id);
        m_hasHeader = true;
    }
}

template <typename CharT>
int BasicBiosItem<CharT>::GetValueCount() const
{
    return 0;
}

template <typename CharT>
bool BasicBiosItem<CharT>::HasExtraStrings() const
{
    return BiosItemFlags(m_id) == kBiosExtraStringsFlag;
}

template <typename CharT>
void BasicBiosItem<CharT>::IndexToRational(int, int*, int*) const
{
    ShowNotSupported("IndexToRational");
}

template <typename CharT>
double BasicBiosItem<CharT>::IndexToValue(int) const
{
    ShowNotSupported("IndexToValue");
    return 0.0;
}

template <typename CharT>
typename BasicBiosItem<CharT>::String BasicBiosItem<CharT>::IndexToString(int) const
{
    ShowNotSupported("IndexToString");
    return String();
}

template <typename CharT>
bool BasicBiosItem<CharT>::ParseInfo()
{
    return m_hasHeader;
}

template <typename CharT>
const CharT* BasicBiosItem<CharT>::GetName() const
{
    static const CharT empty[1] = {};
    const CharT* name = m_hasHeader ? m_elements.Text(kBiosElementName) : nullptr;
    return name ? name : empty;
}

template <typename CharT>
int BasicBiosItem<CharT>::GetAttributes() const
{
    return m_hasHeader ? m_elements.IntegerOr(kBiosElementAttributes, 0) : 0;
}

template <typename CharT>
bool BasicBiosItem<CharT>::GetCurrentIndex(int* index) const
{
    int value = 0;
    if (!index || !ReadItemValue(m_id, &value))
        return false;
    *index = value;
    return true;
}

template <typename CharT>
bool BasicBiosItem<CharT>::GetCurrentValue(double* value) const
{
    int index = 0;
    if (!value || !GetCurrentIndex(&index))
        return false;
    *value = IndexToValue(index);
    return true;
}

template <typename CharT>
bool BasicBiosItem<CharT>::GetCurrentString(String* text) const
{
    int index = 0;
    if (!text || !GetCurrentIndex(&index))
        return false;
    *text = IndexToString(index);
    return true;
}

template <typename CharT>
void BasicBiosItem<CharT>::ShowNotSupported(const char* operation) const
{
    char text[128];
    std::snprintf(text, sizeof text, kNotSupportedFormat, static_cast<unsigned>(m_id), operation);
    ShowBox(text, kItemCaption);
}

// ---- BasicBiosNumberItem ----

template <typename CharT>
bool BasicBiosNumberItem<CharT>::ParseInfo()
{
    m_exStrs.clear();
    m_valueCount = 0;
    m_stepWord = 0;
    m_baseWord = 0;

    const biositem::PackageView& elements = this->Elements();
    if (!this->HasHeader() || elements.Count() < kNumberMinimumElements)
        return false;
    int base = 0;
    int step = 0;
    int count = 0;
    if (!elements.ReadInteger(kNumberBaseElement, &base) || !elements.ReadInteger(kNumberStepElement, &step) ||
        !elements.ReadInteger(kNumberCountElement, &count))
        return false;
    m_baseWord = base;
    m_stepWord = step;
    if (count < 0)
        return false;
    m_valueCount = count;
    if (elements.Count() == kNumberMinimumElements)
        return true;

    // Extra strings: on any fault the item keeps none, so that no position
    // below the count points at a text that is not there.
    int extra = 0;
    if (!elements.ReadInteger(kNumberExtraCountElement, &extra))
        return false;
    const int firstText = kNumberExtraCountElement + 1;
    const int following = elements.Count() - firstText;
    if (following == 0 || extra <= 0 || following < extra || count > INT_MAX - extra)
        return false;
    if (!TakeTexts<CharT>(elements, firstText, extra, &m_exStrs))
        return false;
    m_valueCount = count + extra;
    return true;
}

template <typename CharT>
int BasicBiosNumberItem<CharT>::GetExponent() const
{
    return static_cast<signed char>(static_cast<unsigned>(m_baseWord) >> 24);
}

template <typename CharT>
int BasicBiosNumberItem<CharT>::GetBase() const
{
    return SignExtend24(m_baseWord);
}

template <typename CharT>
int BasicBiosNumberItem<CharT>::GetStep() const
{
    return SignExtend24(m_stepWord);
}

template <typename CharT>
int BasicBiosNumberItem<CharT>::GetUnitDigits() const
{
    return biositem::UnitDigits(this->GetKind());
}

template <typename CharT>
long long BasicBiosNumberItem<CharT>::Numerator(int index) const
{
    const long long k = static_cast<long long>(index) - GetExtraStringCount();
    return GetBase() + k * GetStep();
}

template <typename CharT>
void BasicBiosNumberItem<CharT>::ShowExtraStringNotConvertible(const char* caption) const
{
    ShowBox(kExtraStringText, caption);
}

template <typename CharT>
void BasicBiosNumberItem<CharT>::IndexToRational(int index, int* numerator, int* denominator) const
{
    if (IsExtraStringPosition(index))
        ShowExtraStringNotConvertible(kIndexToRationalFailCaption);
    int scaledNumerator = 0;
    int scaledDenominator = 1;
    biositem::ScaledRational(Numerator(index), Power(), &scaledNumerator, &scaledDenominator);
    if (numerator)
        *numerator = scaledNumerator;
    if (denominator)
        *denominator = scaledDenominator;
}

template <typename CharT>
double BasicBiosNumberItem<CharT>::IndexToValue(int index) const
{
    if (IsExtraStringPosition(index))
        ShowExtraStringNotConvertible(kIndexToValueFailCaption);
    return biositem::ScaledValue(Numerator(index), Power());
}

template <typename CharT>
typename BasicBiosNumberItem<CharT>::String BasicBiosNumberItem<CharT>::IndexToString(int index) const
{
    if (IsExtraStringPosition(index))
        return String(m_exStrs[static_cast<std::size_t>(index)]);
    const int places = biositem::DecimalPlaces(GetExponent(), GetUnitDigits(), GetBase(), GetStep());
    const double value = biositem::ScaledValue(Numerator(index), Power());
    const std::string text = biositem::FixedPointText(biositem::ConvertFixedPoint(value, places));
    return String(text.begin(), text.end());
}

// ---- BasicBiosStringItem ----

template <typename CharT>
bool BasicBiosStringItem<CharT>::ParseInfo()
{
    m_strs.clear();
    const biositem::PackageView& elements = this->Elements();
    if (!this->HasHeader() || elements.Count() < kStringMinimumElements)
        return false;
    int count = 0;
    if (!elements.ReadInteger(kStringCountElement, &count))
        return false;
    const int firstText = kStringCountElement + 1;
    if (count <= 0 || elements.Count() - firstText < count)
        return false;
    return TakeTexts<CharT>(elements, firstText, count, &m_strs);
}

template <typename CharT>
typename BasicBiosStringItem<CharT>::String BasicBiosStringItem<CharT>::IndexToString(int position) const
{
    const std::size_t index = static_cast<std::size_t>(position);
    VESSA_ASSERT(index < m_strs.size());
    if (index >= m_strs.size())
        return String();
    return String(m_strs[index]);
}

// ---- BasicBiosBooleanItem ----

template <typename CharT>
bool BasicBiosBooleanItem<CharT>::ParseInfo()
{
    return this->HasHeader() && this->Elements().Count() >= kBooleanMinimumElements;
}

template class BasicBiosItem<char>;
template class BasicBiosNumberItem<char>;
template class BasicBiosStringItem<char>;
template class BasicBiosBooleanItem<char>;
