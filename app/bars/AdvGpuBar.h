#pragma once
// A small bar of the graphics page. It has a disabled look (grey texts and
// the "_un" pictures) and can be linked: the BIOS keeps a table per value
// of its item that says where other graphics items go, and a linked bar
// moves its first linked bar there whenever its own track is painted.

#include <vector>

#include "app/bars/AdvSmallBar.h"

class AdvGpuBar : public AdvSmallBar {
public:
    // The BIOS table that links the graphics items, read per position.
    static constexpr DWORD kLinkTableItemId = 0x05080060;
    static constexpr COLORREF kDisabledFillColor = RGB(22, 123, 125);

    explicit AdvGpuBar(int itemSlot);

    void Build(BarHost& host, int left, int top) override;
    // Enables the buttons, track and dot (the labels keep theirs) and gives
    // the texts their normal or grey colours; the enabled flag is not kept.
    void SetEnabled(bool enabled) override;
    void PaintTrack() override;

    void SetLinked(bool linked) { m_linked = linked; }
    bool IsLinked() const { return m_linked; }
    void AddLinkedBar(AdvGpuBar* bar) { m_linkedBars.push_back(bar); }

protected:
    const char* NameSuffix() const override { return " :"; }

private:
    // Moves the first linked bar to what the table gives for `position`.
    void UpdateLinkedBars(int position);

    bool m_linked = false;
    std::vector<AdvGpuBar*> m_linkedBars;  // not owned
};
