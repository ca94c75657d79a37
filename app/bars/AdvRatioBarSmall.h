#pragma once
// A small, display-only ratio bar (no dot, no read-outs, no mouse): the
// single-ratio page shows one per further core beside the large bar of the
// first core, each following it.

#include "app/bars/AdvRatioBar.h"

class AdvRatioBarSmall : public AdvRatioBar {
public:
    explicit AdvRatioBarSmall(int coreIndex) : AdvRatioBar(coreIndex) {}

    // Track and numeral on `owner` with the track's corner at (left, top);
    // reads the range and the core's ratio.
    void Build(BarHost& host, int left, int top) override;
    // Enabled shows the fill, disabled the bare background.
    void SetEnabled(bool enabled) override;
    int GetTrackLength() const override { return kTrackLength; }
    int GetTrackStart() const override { return kTrackStart; }
    // Repaints only.
    void UpdateValueText() override;
    int GetDotOffset() const override;
    void SetDotOffset(int offset) override;

    static constexpr int kTrackLength = 47;
    static constexpr int kTrackStart = 32;

protected:
    void ShowBiosComparison() override { UpdateValueText(); }

private:
    int m_storedOffset = 0;  // the dot's place, had it one
};
