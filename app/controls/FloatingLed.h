#pragma once
// A fixed-point number read-out made of digit positions (NumberLed), left
// to right: the integer positions, then, when the format has fraction
// digits, the decimal point and the fraction positions. Some read-outs
// carry a unit picture ("MHz") beside the digits.
//
// The read-out owns its positions; their images are owned by and parented
// to the owner control, which must outlive the read-out.

#include <memory>
#include <string>
#include <vector>

#include "app/controls/NumberLed.h"

class FloatingLed {
public:
    explicit FloatingLed(TWinControl* owner);
    virtual ~FloatingLed();
    FloatingLed(const FloatingLed&) = delete;
    FloatingLed& operator=(const FloatingLed&) = delete;

    // Moves every position by the change of the read-out's left (top).
    virtual void SetLeft(int x);
    virtual void SetTop(int y);
    // Shows or hides every position; nothing when the flag is unchanged.
    virtual void SetVisible(bool visible);
    // A new (not yet created) position of the read-out's family.
    virtual NumberLed* CreateDigit(TWinControl* owner);
    // The horizontal gap between positions, in pixels.
    virtual int GetSpacing() const;

    // Sets the number of integer and fraction digits. The row is rebuilt
    // (every position anew, placed from the read-out's left) only when its
    // shape changes: the number of positions or where the point sits. A
    // negative fraction count counts as 0.
    void SetFormat(unsigned integerDigits, int fractionDigits);
    // Shows `value`: the integer part right-aligned in the integer
    // positions (leading zeros; digits beyond them are dropped), the point,
    // and the fraction truncated except for the last digit, which is
    // rounded without carry (1.2996 with three digits shows 1.299). A
    // negative or not-a-number value shows as 0.
    void SetValue(double value);

    // Highlighted values use the family's highlighted pictures from the
    // next SetValue on; a family without them keeps its plain pictures.
    void SetHighlighted(bool highlighted) { m_highlighted = highlighted; }
    bool Highlighted() const { return m_highlighted; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    bool Visible() const { return m_visible; }
    unsigned IntegerDigits() const { return m_integerDigits; }
    int FractionDigits() const { return m_fractionDigits; }
    int DigitCount() const { return static_cast<int>(m_digits.size()); }
    // Position `index` (0 = leftmost); null outside the row.
    NumberLed* Digit(int index) const;
    TWinControl* Owner() const { return m_owner; }

protected:
    // Builds the row anew: `count` positions, the point (if any) at `point`.
    virtual void BuildRow(int count, int point);

private:
    void ClearRow();
    // `lit` when highlighted and the family has it, else `plain`.
    int Entry(NumberLed* digit, int plain, int lit) const;
    // Position `position` shows the digit `value` (0-9).
    void ShowDigit(int position, int value);

    int m_left = 0;
    int m_top = 0;
    std::vector<std::unique_ptr<NumberLed>> m_digits;
    bool m_visible = false;
    unsigned m_integerDigits = 0;
    int m_fractionDigits = 0;
    int m_pointPosition = -1;  // of the row as built; -1 without a point
    TWinControl* m_owner;
    bool m_highlighted = false;
};

// A read-out with a unit picture of its owner beside the digits, at a fixed
// offset from the read-out's left and top. The picture is made (hidden
// unless the read-out is shown) when the first row is built.
class UnitFloatingLed : public FloatingLed {
public:
    UnitFloatingLed(TWinControl* owner, std::string unitFile, int unitLeft, int unitTop);
    ~UnitFloatingLed() override;

    void SetLeft(int x) override;
    void SetTop(int y) override;
    void SetVisible(bool visible) override;

    // The unit picture; null until the first row is built.
    KyImage* UnitImage() const { return m_unit; }

protected:
    void BuildRow(int count, int point) override;

private:
    void PlaceUnit();

    std::string m_unitFile;  // below the skin folder
    int m_unitLeft;
    int m_unitTop;
    KyImage* m_unit = nullptr;
};

// Small digits with "MHz" at left + 44.
class SmallFloatingLed : public UnitFloatingLed {
public:
    explicit SmallFloatingLed(TWinControl* owner);
    NumberLed* CreateDigit(TWinControl* owner) override;
    int GetSpacing() const override;
};

// Middle-sized digits.
class MiddleFloatingLed : public FloatingLed {
public:
    using FloatingLed::FloatingLed;
    NumberLed* CreateDigit(TWinControl* owner) override;
    int GetSpacing() const override;
};

// Large green digits with "MHz" at left + 76, top + 3.
class LargeGreendLed : public UnitFloatingLed {
public:
    explicit LargeGreendLed(TWinControl* owner);
    NumberLed* CreateDigit(TWinControl* owner) override;
    int GetSpacing() const override;
};
