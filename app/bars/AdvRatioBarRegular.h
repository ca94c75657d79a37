#pragma once
// The interactive ratio bar: a segmented fill over a background, a dot
// that shows while the pointer is over the bar (or drags it), the core's
// numeral above the bar, and below it a value read-out with the ratio and
// a frequency read-out with ratio × bus clock. Its value read-out is
// highlighted while the position differs from the core's BIOS ratio.
//
// The track moves one step toward a click; the dot drags, pointer up
// raising the ratio.

#include <memory>

#include "app/bars/AdvRatioBar.h"
#include "app/bars/DotDrag.h"
#include "app/controls/FloatingLed.h"

class AdvRatioBarRegular : public AdvRatioBar {
public:
    explicit AdvRatioBarRegular(int coreIndex);

    // Children on the host's window with the track's corner at (left, top); reads the
    // range and the core's ratio.
    void Build(BarHost& host, int left, int top) override;
    // Hiding also hides the dot; the read-outs follow while enabled.
    void SetVisible(bool visible) override;
    // Enabled: the read-outs take the bar's visibility and show the value;
    // disabled: they hide and the track shows its bare background.
    void SetEnabled(bool enabled) override;
    int GetTrackLength() const override { return kTrackLength; }
    int GetTrackStart() const override { return kTrackStart; }
    // The fill and read-outs; with one ratio for all cores every bar of the
    // list follows.
    void UpdateValueText() override;
    int GetDotOffset() const override;
    void SetDotOffset(int offset) override;
    // The numeral of core `core` and the two read-outs, placed for this
    // kind of bar.
    virtual void SetCoreNumber(int core);

    KyImage* Dot() const { return m_dot; }
    FloatingLed* ValueLed() const { return m_valueLed.get(); }
    FloatingLed* FrequencyLed() const { return m_frequencyLed.get(); }
    bool IsDragging() const { return m_drag.IsDragging(); }

    static constexpr int kTrackLength = 131;
    static constexpr int kTrackStart = 122;

protected:
    void ShowBiosComparison() override;
    // Makes the read-outs on first use and places them.
    void PlaceReadOuts(std::unique_ptr<FloatingLed> value, int valueLeft, int valueTop, int fractionDigits,
                       std::unique_ptr<FloatingLed> frequency, int frequencyLeft, int frequencyTop);

    BarHost* m_host = nullptr;  // tracks the hover over the track
    int m_left = 0;             // where Build put the track
    int m_top = 0;

private:
    void Repaint();
    void ShowReadOuts(bool visible);
    void TrackMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void TrackMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DotMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DotMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void DotMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void TrackOutside(TControl* track, int x, int y, bool& outside);
    void TrackLeft(TControl* track);

    KyImage* m_dot = nullptr;
    std::unique_ptr<FloatingLed> m_valueLed;
    std::unique_ptr<FloatingLed> m_frequencyLed;
    DotDrag m_drag;
};
