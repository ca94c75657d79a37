#pragma once
// List-box layouts take over the drawing of an owner-drawn TListBox without
// deriving from it: they hook its item-drawing and item-measuring events and
// its window procedure.

#include <windows.h>

#include "platform/vcl/ListBox.h"
#include "vessa/widget/layout/Source/OwnerDrawLayout.h"

namespace vessa {

class TListBoxLayout {
public:
    TListBoxLayout();
    TListBoxLayout(const TListBoxLayout&) = delete;
    TListBoxLayout& operator=(const TListBoxLayout&) = delete;
    // Gives a list box that is still alive its own handlers back, so that it
    // never calls into a freed layout.
    virtual ~TListBoxLayout();

    virtual void DrawItem(TListBox* listBox, int index, const RECT& rect, TOwnerDrawState state) = 0;
    virtual void MeasureItem(TListBox* listBox, int index, int& height) = 0;
    // WM_ERASEBKGND; passed to the list box's own window procedure.
    virtual void EraseBackground(TMessage& message);
    virtual void AfterAttach(TListBox* listBox) {}

    // Saves the list box's draw and measure events and window procedure and
    // installs the layout's own. A layout serves one list box: attaching it
    // to another first gives the previous one its handlers back.
    void Attach(TListBox* listBox);
    TListBox* ListBox() const { return m_listBox; }

protected:
    // The list box's window procedure from before Attach.
    void CallPreviousWindowProc(TMessage& message) { m_previousWindowProc(message); }

private:
    // Tells the layout when its list box is freed.
    class ListBoxWatch : public TComponent {
    public:
        explicit ListBoxWatch(TListBoxLayout* layout) : TComponent(nullptr), m_layout(layout) {}

    protected:
        void Notification(TComponent* component, TOperation operation) override;

    private:
        TListBoxLayout* m_layout;
    };

    void Detach();
    void HandleDrawItem(TWinControl* sender, int index, const RECT& rect, TOwnerDrawState state);
    void HandleMeasureItem(TWinControl* sender, int index, int& height);
    void HandleMessage(TMessage& message);

    TDrawItemEvent m_previousDrawItem;
    TMeasureItemEvent m_previousMeasureItem;
    TWndMethod m_previousWindowProc;
    TListBox* m_listBox = nullptr;
    ListBoxWatch m_watch;
};

// Items as a filled background and one line of text through the shared
// owner-draw text and frame layouts, with margins and an alignment.
class TCustomListBoxLayout : public TListBoxLayout {
public:
    TCustomListBoxLayout();

    void DrawItem(TListBox* listBox, int index, const RECT& rect, TOwnerDrawState state) override;
    void MeasureItem(TListBox* listBox, int index, int& height) override;
    // The background is the items' to paint: report it done.
    void EraseBackground(TMessage& message) override;
    // The highlight colour for a selected item, else the list box's colour.
    virtual void DrawBackground(TCanvas* canvas, const RECT& rect, TOwnerDrawState state);
    virtual void DrawText(TCanvas* canvas, const std::string& text, TOwnerDrawState state, const RECT& rect);

    void SetHighlightColor(TColor color) { m_highlightColor = color; }
    TColor HighlightColor() const { return m_highlightColor; }
    void SetLeftMargin(int pixels) { m_leftMargin = pixels; }
    int LeftMargin() const { return m_leftMargin; }
    // A text wider than its item ends in an ellipsis instead of being cut.
    void SetEndEllipsis(bool on) { m_endEllipsis = on; }
    // DrawText flags for the alignments: single line, then left (0), right
    // (1) or centre; top (0), bottom (1) or vertically centred.
    UINT TextFormat() const;

private:
    TOwnerDrawTextLayout* m_textLayout;
    TFrameLayout* m_frameLayout;
    TColor m_highlightColor = clHighlight;
    BYTE m_horizontalAlignment = 0;
    BYTE m_verticalAlignment = 2;
    bool m_endEllipsis = false;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
};

}  // namespace vessa
