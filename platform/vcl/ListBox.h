#pragma once
// A list box over the system "LISTBOX" class. Owner-drawn styles call
// DrawItem / OnDrawItem with a canvas that carries the list's font and brush,
// and MeasureItem / OnMeasureItem for variable heights.

#include <memory>
#include <vector>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/WinControl.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum : unsigned { odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16 };
using TOwnerDrawState = unsigned;

using TDrawItemEvent = TClosure<TWinControl*, int, const RECT&, TOwnerDrawState>;
using TMeasureItemEvent = TClosure<TWinControl*, int, int&>;

class TListBox;

// The items: kept here, and in the window while it exists.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TListBox* list) : m_list(list) {}
    int Count() const override { return static_cast<int>(m_items.size()); }
    std::string Get(int index) const override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    // Fills a newly made window.
    void PushToWindow(HWND window) const;

private:
    void CheckIndex(int index, bool allowEnd) const;
    struct Item {
        std::string text;
        void* object;
    };
    TListBox* m_list;
    std::vector<Item> m_items;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings* Items() { return &m_items; }
    int ItemIndex();
    void SetItemIndex(int index);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle style);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Valid while an item is drawn or measured (on a screen context).
    TCanvas* Canvas() { return &m_canvas; }
    int ItemAtPos(POINT point, bool existing);
    RECT ItemRect(int index);

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void ReleaseHandle() override;
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    TListBoxStrings m_items;
    TCanvas m_canvas;
    int m_itemIndex = -1;
    int m_itemHeight = 16;
    TListBoxStyle m_style = lbStandard;
    TBorderStyle m_borderStyle = bsSingleBorder;
};
