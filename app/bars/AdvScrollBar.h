#pragma once
// A bar bound to one slot of the primary item set: its positions are the
// item's value indexes. It shows the item's name, the text of the current
// value (red past the item's danger limit, yellow while it differs from
// what the BIOS held at the last read), the BIOS value and the unit, and
// it moves by its step buttons, by a click on the track (one step toward
// the pointer) and by dragging its dot.
//
// The variants give the skins, the layout and the track painting. All
// children but the track image belong to their owner.

#include <memory>
#include <string>

#include "app/bars/AdvBar.h"
#include "app/bars/DotDrag.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Label.h"
#include "turboInfo_Intel/BiosInterface.h"

class AlphaButton;
class KyImage;
class KyLabel;

// Value text colours (RGB).
constexpr COLORREF kDangerValueColor = RGB(255, 0, 0);
constexpr COLORREF kPendingValueColor = RGB(255, 216, 25);

class AdvScrollBar : public AdvBar {
public:
    explicit AdvScrollBar(int itemSlot);
    ~AdvScrollBar() override;

    int GetHeight() const override;
    // Reads the item's current value index. A failed read, or an index the
    // item does not have, keeps the position but leaves the bar unread: it
    // shows no value and cannot be moved until a read succeeds. Slot 3
    // waits 100 ms first (its item settles late).
    void Refresh() override;
    // As AdvBar; the dot of an unread bar stays hidden.
    void SetVisible(bool visible) override;
    void LoadDefault() override;
    // The id of the bound item; 0 when the slot holds none.
    DWORD GetItemId() const override;
    int GetDotOffset() const override;
    void SetDotOffset(int offset) override;
    void UpdateValueText() override;
    // Paints the filled part of the track for the current dot place.
    virtual void PaintTrack() = 0;

    // Name, range and unit from the item, then Refresh. An item without
    // values leaves the bar disabled and unread.
    void BindItem();
    void SetNameText(const std::string& text);
    std::string GetNameText() const;
    // The step buttons blend again over the window's new background.
    void ReblendButtons();
    // Sizes the value labels to the widest text of the item and lays the
    // row's texts out before the left step button without overlaps (see
    // BarTextRow). Build runs it; a page that moves or restyles the labels
    // runs it again.
    void FitLabels();

    int GetItemSlot() const { return m_itemSlot; }
    // The children, for the pages and the tests.
    KyImage* Track() const { return m_track; }
    KyImage* Dot() const { return m_dot; }
    AlphaButton* LeftButton() const { return m_leftButton; }
    AlphaButton* RightButton() const { return m_rightButton; }
    KyLabel* NameLabel() const { return m_nameLabel; }
    TLabel* ValueLabel() const { return m_valueLabel; }
    TLabel* BiosValueLabel() const { return m_biosValueLabel; }
    TLabel* UnitLabel() const { return m_unitLabel; }

    // The unit text of an item id's unit code (bits 16-19).
    static std::string UnitText(DWORD itemId);
    // The text for value index `position` of `item`.
    static std::string ValueText(const BiosItemA& item, int position);

protected:
    // The bound item, looked up afresh; null when the slot holds none.
    BiosItemA* Item() const;
    // Wires the track click, the dot's drag and hover and the step buttons.
    void WireChildren();
    // A 32-bit bitmap of skin `file`; empty when it is missing.
    static std::unique_ptr<TBitmap> LoadSkinBitmap(const char* file);
    // Shows the track picture drawn in TrackSpare(); the spare gets the
    // picture shown before, to be drawn over next time.
    void ShowTrackPicture();
    TBitmap* TrackSpare() { return m_trackSpare.get(); }

    // Child makers for the variants' Build; each child is added in call
    // order. Labels are transparent, "Arial" with 12-pixel characters.
    void CreateTrack(TWinControl* owner, int left, int top, const char* file);
    // Names in state order normal, pressed, over, unavailable; null for none.
    AlphaButton* CreateStepButton(int left, int top, const char* const names[4]);
    // The dot's hover look is tracked by `host`.
    void CreateDot(BarHost& host, int left, int top, const char* normal, const char* hover);
    void DressLabel(TCustomLabel* label, TWinControl* owner, const RECT& bounds, COLORREF color, TAlignment alignment,
                    const char* text);
    TLabel* CreateLabel(TWinControl* owner, const RECT& bounds, COLORREF color, TAlignment alignment, const char* text);

    KyImage* m_track = nullptr;  // owned
    AlphaButton* m_leftButton = nullptr;
    AlphaButton* m_rightButton = nullptr;
    KyImage* m_dot = nullptr;
    std::unique_ptr<TBitmap> m_dotNormal;
    std::unique_ptr<TBitmap> m_dotHover;
    std::unique_ptr<TBitmap> m_dotDisabled;
    std::unique_ptr<TBitmap> m_trackLight;
    std::unique_ptr<TBitmap> m_trackSpare = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> m_sliderImage;
    std::unique_ptr<TBitmap> m_sliderDisabled;
    KyLabel* m_nameLabel = nullptr;
    TLabel* m_valueLabel = nullptr;
    TLabel* m_biosValueLabel = nullptr;
    TLabel* m_unitLabel = nullptr;

private:
    void StepClick(TObject* sender);
    void TrackMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DotMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DotMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void DotMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ShowDotHover();
    void DotOutside(TControl* dot, int x, int y, bool& outside);
    void DotLeft(TControl* dot);
    // Disables the bar while it is unread and enables it at the first read
    // that succeeds after.
    void ShowReadState(bool read);

    BarHost* m_host = nullptr;  // set by CreateDot
    DotDrag m_drag;
    int m_itemSlot;
    bool m_movable = true;  // false while disabled for want of a value
};
