#pragma once
// A bar for the controller's tests: an item id, a position and a read
// state, and nothing to draw.

#include "app/bars/AdvBar.h"

namespace apptest {

// A bar with an item id and a read state, and nothing to draw.
class FakeBar : public AdvBar {
public:
    FakeBar(DWORD id, int position, bool read) : m_id(id)
    {
        SetMax(1000);
        SetPosition(position);
        MarkRead(read);
    }
    void Refresh() override { ++refreshes; }
    void LoadDefault() override {}
    void Build(BarHost&, int, int) override {}
    DWORD GetItemId() const override { return m_id; }
    int GetTrackLength() const override { return 0; }
    int GetTrackStart() const override { return 0; }
    void UpdateValueText() override {}
    int GetDotOffset() const override { return 0; }
    void SetDotOffset(int) override {}

    int refreshes = 0;

private:
    DWORD m_id;
};

}  // namespace apptest
