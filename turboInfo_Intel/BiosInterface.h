#pragma once
// The BIOS item model over the maker's item library.
//
// The BIOS exposes its tuning items as groups of item descriptors. An item
// object keeps its own copy of one descriptor and converts between a value
// index (what the hardware reads and writes) and a value or a text (what the
// user sees). The group walkers and the thin read/write wrappers below are
// what every other part of the hardware layer goes through.
//
// Failures are never exceptions: reads and writes return false and keep
// their outputs; conversions an item cannot do show a message box with a
// fixed English text.

#include <windows.h>

#include <string>
#include <vector>

#include "turboInfo_Intel/BiosPackage.h"
#include "platform/kyacpi/KyAcpi.h"

// Item id fields.
constexpr int kBiosKindBoolean = 7;  // bits 16-19
constexpr int kBiosKindString = 8;
constexpr int kBiosExtraStringsFlag = 8;  // bits 20-23

inline int BiosItemGroup(DWORD id)
{
    return static_cast<int>(id >> 24);
}
inline int BiosItemFlags(DWORD id)
{
    return static_cast<int>((id >> 20) & 0xF);
}
inline int BiosItemKind(DWORD id)
{
    return static_cast<int>((id >> 16) & 0xF);
}
inline int BiosItemIndex(DWORD id)
{
    return static_cast<int>(id & 0xFFFF);
}

// Descriptor elements shared by every kind.
enum BiosDescriptorElement {
    kBiosElementId = 0,
    kBiosElementName = 1,
    kBiosElementAttributes = 2,
    kBiosElementInfo = 3,
    kBiosElementFirstOfKind = 4,
};
constexpr int kBiosHeaderElements = 3;  // id, name, attributes
constexpr DWORD kBiosHiddenAttribute = 1u << 30;

// One BIOS item: its own descriptor copy, its id and its value list.
template <typename CharT>
class BasicBiosItem {
public:
    using String = std::basic_string<CharT>;

    // Copies `size` descriptor bytes and takes element 0 as the id when the
    // descriptor has its three header elements; otherwise the item has id 0,
    // no name and no values. Parsing is a separate step (ParseInfo).
    BasicBiosItem(const void* descriptor, int size);
    virtual ~BasicBiosItem() = default;
    BasicBiosItem(const BasicBiosItem&) = delete;
    BasicBiosItem& operator=(const BasicBiosItem&) = delete;

    virtual int GetValueCount() const;
    virtual int GetInfoValue() const = 0;
    virtual bool HasExtraStrings() const;
    // Kinds without numbers show "Item[%x] does not supports ..." (caption
    // "BiosItem"); IndexToRational then leaves its outputs, IndexToValue gives
    // 0 and IndexToString an empty text.
    virtual void IndexToRational(int index, int* numerator, int* denominator) const;
    virtual double IndexToValue(int index) const;
    virtual String IndexToString(int index) const;
    // Reads the kind's elements; false when the descriptor does not hold
    // them. The item keeps the counts it could read.
    virtual bool ParseInfo();

    DWORD GetId() const { return m_id; }
    const CharT* GetName() const;  // "" when missing
    int GetAttributes() const;     // 0 when missing
    bool IsHidden() const { return (static_cast<DWORD>(GetAttributes()) & kBiosHiddenAttribute) != 0; }
    int GetKind() const { return BiosItemKind(m_id); }
    bool HasHeader() const { return m_hasHeader; }

    // The current value index as the BIOS reports it; false (and the output
    // untouched) when the read fails.
    bool GetCurrentIndex(int* index) const;
    bool GetCurrentValue(double* value) const;
    bool GetCurrentString(String* text) const;

protected:
    const biositem::PackageView& Elements() const { return m_elements; }
    int InfoElement() const { return m_elements.IntegerOr(kBiosElementInfo, 0); }
    // Shows the fixed box of a conversion this kind does not have.
    void ShowNotSupported(const char* operation) const;

private:
    std::vector<unsigned char> m_descriptor;
    biositem::PackageView m_elements;  // points into m_descriptor
    DWORD m_id = 0;
    bool m_hasHeader = false;
};

// A number item: value i is an extra string for i < M, else
// (B + (i - M) x S) x 10^(E - unit digits).
template <typename CharT>
class BasicBiosNumberItem : public BasicBiosItem<CharT> {
public:
    using String = typename BasicBiosItem<CharT>::String;
    using BasicBiosItem<CharT>::BasicBiosItem;

    int GetValueCount() const override { return m_valueCount; }
    int GetInfoValue() const override { return this->InfoElement(); }
    void IndexToRational(int index, int* numerator, int* denominator) const override;
    double IndexToValue(int index) const override;
    String IndexToString(int index) const override;
    bool ParseInfo() override;

    int GetExtraStringCount() const { return static_cast<int>(m_exStrs.size()); }
    int GetBaseWord() const { return m_baseWord; }
    int GetStepWord() const { return m_stepWord; }
    int GetExponent() const;  // signed top byte of the base word
    int GetBase() const;      // signed low 24 bits of the base word
    int GetStep() const;      // signed low 24 bits of the step word
    int GetUnitDigits() const;

private:
    bool IsExtraStringPosition(int index) const { return index >= 0 && index < GetExtraStringCount(); }
    // B + (index - M) x S, exact in 64 bits.
    long long Numerator(int index) const;
    int Power() const { return GetExponent() - GetUnitDigits(); }
    void ShowExtraStringNotConvertible(const char* caption) const;

    std::vector<const CharT*> m_exStrs;  // into the descriptor copy
    int m_valueCount = 0;                // N + M
    int m_stepWord = 0;
    int m_baseWord = 0;
};

// A string item: value i is string i.
template <typename CharT>
class BasicBiosStringItem : public BasicBiosItem<CharT> {
public:
    using String = typename BasicBiosItem<CharT>::String;
    using BasicBiosItem<CharT>::BasicBiosItem;

    int GetValueCount() const override { return static_cast<int>(m_strs.size()); }
    int GetInfoValue() const override { return this->InfoElement(); }
    String IndexToString(int index) const override;
    bool ParseInfo() override;

private:
    std::vector<const CharT*> m_strs;  // into the descriptor copy
};

// A boolean item: no value list of its own.
template <typename CharT>
class BasicBiosBooleanItem : public BasicBiosItem<CharT> {
public:
    using BasicBiosItem<CharT>::BasicBiosItem;

    int GetInfoValue() const override { return this->InfoElement(); }
    bool ParseInfo() override;
};

typedef BasicBiosItem<char> BiosItemA;
typedef BasicBiosNumberItem<char> BiosNumberItemA;
typedef BasicBiosStringItem<char> BiosStringItemA;
typedef BasicBiosBooleanItem<char> BiosBooleanItemA;

// The value indexes a write may choose for an item: 0..count-1 of its list;
// a boolean item has no list of its own and takes 0 or 1.
int WritableValueCount(const BiosItemA& item);
inline bool IsWritableIndex(const BiosItemA& item, int index)
{
    return index >= 0 && index < WritableValueCount(item);
}
// A tuning item with no value to write (a number item of count 0) gets no
// bar and is in no apply list, snapshot or profile.
inline bool HasWritableValues(const BiosItemA& item)
{
    return WritableValueCount(item) > 0;
}

extern template class BasicBiosItem<char>;
extern template class BasicBiosNumberItem<char>;
extern template class BasicBiosStringItem<char>;
extern template class BasicBiosBooleanItem<char>;

// The item list of one group, walked element by element.
class GroupInfo {
public:
    GroupInfo() = default;
    ~GroupInfo() { Close(); }
    GroupInfo(const GroupInfo&) = delete;
    GroupInfo& operator=(const GroupInfo&) = delete;

    // Reads the group's list; false when the library cannot (the object then
    // stays open and empty until Close).
    bool Open(int group);
    void Close();
    bool IsOpen() const { return m_buffer != nullptr; }

    void Next();
    bool IsEnd() const { return m_position >= m_count; }
    // The current element's data (what the descriptor read takes); null at
    // the end.
    void* GetCurrentData() const;
    int GetPosition() const { return m_position; }
    int GetCount() const { return m_count; }

private:
    unsigned char* m_buffer = nullptr;
    KYACPI_ELEMENT m_current = nullptr;
    int m_position = 0;
    int m_count = 0;
};

// Walks a group item by item, reading each item's descriptor.
class GroupInfoTraverser {
public:
    GroupInfoTraverser();
    ~GroupInfoTraverser() = default;
    GroupInfoTraverser(const GroupInfoTraverser&) = delete;
    GroupInfoTraverser& operator=(const GroupInfoTraverser&) = delete;

    // False (and closed again) when the group cannot be read; else the first
    // descriptor is fetched.
    bool Open(int group);
    void Close();
    bool IsOpen() const { return m_group.IsOpen(); }

    void Next();
    bool IsEnd() const { return m_group.IsEnd(); }
    // True when the current item's descriptor was read.
    bool HasDescriptor() const { return m_descriptorSize > 0; }
    // The current item's id; 0 when its descriptor could not be read.
    DWORD GetCurrentId() const { return m_currentId; }

    // A new item of the current id's kind from the current descriptor, owned
    // by the caller; null when the descriptor could not be read, holds no
    // item id or its kind elements do not parse.
    BiosItemA* CreateItem() const;

private:
    void Fetch();

    GroupInfo m_group;
    std::vector<unsigned char> m_descriptor;
    int m_descriptorSize = 0;  // bytes used; 0 after a failed read
    DWORD m_currentId = 0;
};

// Thin wrappers over the item library. Reads keep their output on failure.
bool ReadItemValue(DWORD id, int* index);
bool ReadItemValueAt(DWORD id, int position, int* value);
bool SetItemValueMode1(DWORD id, int index);
int SetItemValue(DWORD id, int index, int mode);  // the library's result
// The first item of `group` whose low 16 bits are `index`.
bool FindItemId(int group, int index, DWORD* id);
bool IsItemPresent(DWORD id);
// Copies `count` integers of the fixed information list from entry `start`
// on (after its two header entries), fewer when the list is shorter.
// Returns how many were copied. The library's result word is not consulted;
// a list without its header counts as absent and copies none.
int ReadBiosInfoValues(int* values, int start, int count);
