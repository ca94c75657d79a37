#pragma once
// A widget made of child controls that stands for one integer in a range:
// a position between min and max, shown by a dot somewhere along a track.
// Every position change updates the value text and then tells the one
// change callback (the application controller), with a null argument.
//
// Positions of item-bound bars are value indexes of a BIOS item. A bar
// whose value could not be read, or whose item has no value at all, is
// "unread": it keeps showing what it showed, and the controller leaves it
// out of every apply list, so that nothing the BIOS did not report is ever
// written back.

#include <vector>

#include "app/bars/AdvControl.h"
#include "app/bars/BarHost.h"
#include "platform/vcl/Classes.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/WinControl.h"

class AdvBar : public AdvControl {
public:
    AdvBar() = default;
    // Forgets the children; their owner frees them.
    ~AdvBar() override;

    // Left, Top and Visible of the first child; 0 / false without children.
    int GetLeft() const override;
    int GetTop() const override;
    bool IsVisible() const override;
    void SetVisible(bool visible) override;
    int GetHeight() const override { return 0; }

    // Reads the bound value again; moves (and notifies) only on a change.
    virtual void Refresh() = 0;
    // Moves to the item's default value.
    virtual void LoadDefault() = 0;
    // Creates the children on the host's window at (left, top) and reads
    // the value.
    virtual void Build(BarHost& host, int left, int top) = 0;
    virtual DWORD GetItemId() const = 0;
    // Enables or disables every child when the state changes.
    virtual void SetEnabled(bool enabled);
    // Pixels from the position min to the position max.
    virtual int GetTrackLength() const = 0;
    // Pixel offset of the track's start from GetLeft.
    virtual int GetTrackStart() const = 0;
    virtual void UpdateValueText() = 0;
    virtual int GetDotOffset() const = 0;
    virtual void SetDotOffset(int offset) = 0;
    // True only when the value was read from the BIOS at the last read and
    // the range is usable: only such a bar may take part in an apply.
    virtual bool IsRead() const { return m_read; }

    int GetPosition() const { return m_position; }
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    bool IsEnabled() const { return m_enabled; }
    // Clamps to min..max, moves the dot and notifies, even when the
    // position stays the same.
    void SetPosition(int position);
    // SetPosition only when `position` differs from the current one.
    void SetPositionIfChanged(int position);
    // A new maximum (never below min) keeps the position within the range;
    // the same maximum does nothing.
    void SetMax(int max);
    // One step; nothing at the end of the range, so that a click there
    // announces no change.
    void StepUp();
    void StepDown();

    void AddChild(TControl* control) { m_children.push_back(control); }
    const std::vector<TControl*>& Children() const { return m_children; }
    void SetOnChange(const TNotifyEvent& onChange) { m_onChange = onChange; }
    // UpdateValueText, then the change callback with a null argument.
    void NotifyChange();
    // The change callback, for a page that puts its own in front of it.
    const TNotifyEvent& GetOnChange() const { return m_onChange; }

    // The dot offset of `position` along the track, 0..GetTrackLength. A
    // range of one value, or a track without length, gives 0.
    int PositionToOffset(int position) const;
    // The position nearest to `offset`, min..max; min for a track without
    // length.
    int OffsetToPosition(int offset) const;

protected:
    // Sets the position without moving the dot (while the dot is dragged).
    void SetPositionQuietly(int position) { m_position = position; }
    void MarkRead(bool read) { m_read = read; }

private:
    int m_max = 100;
    int m_min = 0;
    int m_position = 0;
    std::vector<TControl*> m_children;
    TNotifyEvent m_onChange;
    bool m_enabled = true;
    bool m_read = false;
};
