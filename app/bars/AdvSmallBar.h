#pragma once
// The small bar of the voltage groups: a slider picture whose groove row is
// filled from its start up to the dot, step buttons at both ends, the name
// on the left and the BIOS value, value and unit between name and track.
//
// Its look (colours, label places, skin names) is one table, so the
// graphics page's bar builds on the same layout with its own.

#include "app/bars/AdvScrollBar.h"

class AdvSmallBar : public AdvScrollBar {
public:
    // The track's travel is its width less this.
    static constexpr int kTrackMargin = 25;
    // The groove row the fill goes into, and where the fill starts.
    static constexpr int kFillRow = 9;
    static constexpr int kFillStart = 6;
    static constexpr COLORREF kFillColor = RGB(45, 247, 251);

    // Colours, label places (left edges relative to the track's left) and
    // the skins of the parts that have a disabled picture (null: none).
    struct Look {
        COLORREF nameColor;
        bool nameBold;
        int nameLeft, nameWidth;
        int biosValueLeft, valueLeft, unitLeft;
        const char* rightDisabled;
        const char* leftDisabled;
    };

    explicit AdvSmallBar(int itemSlot);

    void Build(BarHost& host, int left, int top) override;
    int GetTrackLength() const override;
    int GetTrackStart() const override { return 0; }
    void PaintTrack() override;

    virtual const char* GetSliderImageName() const;

protected:
    AdvSmallBar(int itemSlot, const Look& look);
    // Paints `slider` filled from kFillStart up to 2 pixels past the dot's
    // offset in `fill` (RGB); returns whether any pixel was filled.
    bool PaintSlider(TBitmap* slider, COLORREF fill);
    // What the name shows after the item's name.
    virtual const char* NameSuffix() const { return ""; }

private:
    const Look& m_look;
};
