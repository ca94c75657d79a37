#pragma once
// The wide bar of the main frequency item: a 300-pixel track that shows its
// light picture from the start up to just right of the dot, the dark one
// after it, with the value and its unit right-aligned before the track.

#include "app/bars/AdvScrollBar.h"

class AdvLargeBar : public AdvScrollBar {
public:
    static constexpr int kTrackLength = 300;
    static constexpr int kTrackStart = -3;

    explicit AdvLargeBar(int itemSlot);

    void Build(BarHost& host, int left, int top) override;
    int GetTrackLength() const override { return kTrackLength; }
    int GetTrackStart() const override { return kTrackStart; }
    void PaintTrack() override;

    // How many columns the light picture covers with the dot at its place.
    int LitWidth() const;

private:
    std::unique_ptr<TBitmap> m_trackDark;
};
