#pragma once
// A small ratio display of the turbo pages' preview row: the picture of a
// small ratio bar without a bound core. Its page sets the range and the
// position; it never reads the BIOS.

#include "app/bars/RatioTrack.h"

class AdvCoreRatio {
public:
    explicit AdvCoreRatio(int coreIndex) : m_coreIndex(coreIndex) {}
    AdvCoreRatio(const AdvCoreRatio&) = delete;
    AdvCoreRatio& operator=(const AdvCoreRatio&) = delete;

    // Track and numeral on `owner` with the track's corner at (left, top),
    // both hidden.
    void Build(TWinControl* owner, int left, int top);
    void SetVisible(bool visible);
    bool IsVisible() const;

    // Clamped to max, then to min; repaints.
    void SetPosition(int position);
    // A changed bound applies the position again.
    void SetMax(int max);
    void SetMin(int min);

    int GetPosition() const { return m_position; }
    int GetMax() const { return m_max; }
    int GetMin() const { return m_min; }
    // The fill's height in pixels, 0 .. kTrackLength.
    int GetOffset() const { return m_offset; }
    int GetCoreIndex() const { return m_coreIndex; }
    TImage* Track() const { return m_track.Track(); }
    KyImage* NumberImage() const { return m_numberImage; }

    static constexpr int kTrackLength = 47;

    // The fill height of `position` in a range: 0 .. `length`; 0 for a range
    // of one value (or an inverted one) and for a track without length.
    static int PositionToOffset(int position, int min, int max, int length);

private:
    int m_coreIndex;
    RatioTrack m_track;
    KyImage* m_numberImage = nullptr;
    int m_position = 0;
    int m_offset = 0;
    int m_max = 100;
    int m_min = 0;
};
