#pragma once
// One group of the voltage page: a title icon with a caption, and small
// bars in one or two columns beneath it. The layout type fixes the bar
// class, the columns, the row distance and how the bars' labels are
// narrowed:
//   0 and 1  two columns, rows 31 apart (1 also narrows the labels);
//   2 and 4  two columns, rows 45 apart (2 moves the name label);
//   3        one column of the second bar class, rows 31 apart.

#include <string>
#include <vector>

class AdvScrollBar;
class KyImage;
class KyLabel;

class AdvGroup {
public:
    enum LayoutType { kNarrowRows = 0, kNarrowLabels = 1, kWideRows = 2, kOneColumn = 3, kWideRowsPlain = 4 };

    // The title image from `icon` at (x, y) and the caption beside it (the
    // text as given), both hidden.
    AdvGroup(const char* icon, const std::string& caption, int x, int y, int layoutType);
    AdvGroup(const AdvGroup&) = delete;
    AdvGroup& operator=(const AdvGroup&) = delete;

    // A bar for the item at `position` of the primary item set, placed as
    // the group's next bar (it reads its item there), hidden, and entered
    // in the page layout's lists.
    void AddBar(int position);
    // AddBar for each position while its bar ends above `bottom`; the items
    // after get no bar (it would cover the buttons or leave the window) and
    // are traced.
    void AddBarsAbove(const std::vector<int>& positions, int bottom);
    // Bars (their step buttons blended again over the window's face), title
    // and caption.
    void SetVisible(bool visible);

    int GetLayoutType() const { return m_layoutType; }
    const std::vector<AdvScrollBar*>& GetBars() const { return m_bars; }
    KyImage* TitleImage() const { return m_titleImage; }
    KyLabel* Caption() const { return m_caption; }

    // Where the group's bar number `n` goes, for a title image at (x, y).
    struct Place {
        int left;
        int top;
    };
    static Place BarPlace(int layoutType, int x, int y, int n);
    // How far a small bar's track and labels reach below its top.
    static constexpr int kBarExtent = 24;
    // How many bars of `layoutType` end above `bottom` under a title at y.
    static int Capacity(int layoutType, int y, int bottom);

private:
    void NarrowLabels(AdvScrollBar* bar) const;

    KyImage* m_titleImage = nullptr;
    KyLabel* m_caption = nullptr;
    int m_layoutType;
    std::vector<AdvScrollBar*> m_bars;
};
