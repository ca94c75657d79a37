#pragma once
// The vertical bars of the CPU ratio pages. A ratio bar is bound to one
// core of the CPU ratio item (KyOcRatio), not to a slot of the primary item
// set; its positions are the ratio item's value indexes. Offsets along its
// track grow upward: 0 is the bottom of the travel.
//
// When one ratio serves all cores, the first bar of the page layout's list
// of core ratio bars leads: only it takes the BIOS value on a refresh, and
// every bar of the list follows any bar that moves.
//
// A bar whose core could not be read keeps its position and is unread: the
// controller leaves it out of every apply list.

#include <string>
#include <vector>

#include "app/bars/AdvBar.h"
#include "app/bars/RatioTrack.h"
#include "platform/vcl/Image.h"

class KyImage;

class AdvRatioBar : public AdvBar {
public:
    explicit AdvRatioBar(int coreIndex) : m_coreIndex(coreIndex) {}

    // Reads the core's ratio: per core, or as the lead bar, the position
    // follows it; otherwise the bar only shows how it compares. Nothing
    // while disabled or without the ratio item.
    void Refresh() override;
    // The ratio item's default value, when enabled and the item exists.
    void LoadDefault() override;
    // The ratio item's id when enabled and the item exists, else 0.
    DWORD GetItemId() const override;
    // Remembers the state for the look; then as AdvBar.
    void SetEnabled(bool enabled) override;

    int GetCoreIndex() const { return m_coreIndex; }
    // The first bar of the layout's list, or a bar without a list.
    bool IsLead() const;
    TImage* Track() const { return m_track.Track(); }
    KyImage* NumberImage() const { return m_numberImage; }
    bool HasEnabledLook() const { return m_enabledLook; }

    // The page layout's list of core ratio bars, bar i for core i; it must
    // outlive the bars' use of it. Null: every bar stands alone.
    static void SetCoreRatioBars(const std::vector<AdvBar*>* bars);

protected:
    // The track at (left, top) on `owner`, as the first child.
    void CreateTrack(TWinControl* owner, int left, int top, const char* skinFolder, const char* background);
    // The first read while building: range from the item, then the core's
    // ratio.
    void ReadRange();
    // Reads the core's ratio into `ratio`; a failed read, or an index
    // outside the range, marks the bar unread and gives false.
    bool ReadCoreRatio(int& ratio);
    // What a refresh shows when the position does not move: the fill and,
    // where the bar has them, the read-outs.
    virtual void ShowBiosComparison() = 0;
    // Sets every bar of the list to this bar's position (one ratio for all).
    void LeadOthers();
    // The track shows the fill for the current offset, or the bare
    // background while disabled.
    void PaintTrack(bool yellow, RatioTrack::Column column);
    // Shows `file` as the numeral at (left, top): the first call makes the
    // image and adds it as a child, later ones change its picture.
    void ShowNumeral(const std::string& file, int left, int top);
    void AdoptNumeral(KyImage* numeral);

    RatioTrack m_track;
    KyImage* m_numberImage = nullptr;

private:
    int m_coreIndex;
    bool m_enabledLook = true;
};
