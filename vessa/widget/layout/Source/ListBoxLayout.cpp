#include "vessa/widget/layout/Source/ListBoxLayout.h"

namespace vessa {

void TListBoxLayout::ListBoxWatch::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == m_layout->m_listBox)
        m_layout->m_listBox = nullptr;
}

TListBoxLayout::TListBoxLayout() : m_watch(this) {}

TListBoxLayout::~TListBoxLayout()
{
    Detach();
}

void TListBoxLayout::Attach(TListBox* listBox)
{
    if (listBox == m_listBox)
        return;
    Detach();
    m_listBox = listBox;
    if (!listBox)
        return;
    listBox->FreeNotification(&m_watch);
    m_previousDrawItem = listBox->OnDrawItem;
    m_previousMeasureItem = listBox->OnMeasureItem;
    m_previousWindowProc = listBox->WindowProc;
    listBox->OnDrawItem = TDrawItemEvent(this, &TListBoxLayout::HandleDrawItem);
    listBox->OnMeasureItem = TMeasureItemEvent(this, &TListBoxLayout::HandleMeasureItem);
    listBox->WindowProc = TWndMethod(this, &TListBoxLayout::HandleMessage);
    AfterAttach(listBox);
}

void TListBoxLayout::Detach()
{
    if (!m_listBox)
        return;
    m_listBox->OnDrawItem = m_previousDrawItem;
    m_listBox->OnMeasureItem = m_previousMeasureItem;
    m_listBox->WindowProc = m_previousWindowProc;
    m_listBox->RemoveFreeNotification(&m_watch);
    m_listBox = nullptr;
}

void TListBoxLayout::HandleDrawItem(TWinControl* sender, int index, const RECT& rect, TOwnerDrawState state)
{
    DrawItem(As<TListBox>(sender), index, rect, state);
}

void TListBoxLayout::HandleMeasureItem(TWinControl* sender, int index, int& height)
{
    MeasureItem(As<TListBox>(sender), index, height);
}

void TListBoxLayout::HandleMessage(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND)
        EraseBackground(message);
    else
        m_previousWindowProc(message);
}

void TListBoxLayout::EraseBackground(TMessage& message)
{
    m_previousWindowProc(message);
}

TCustomListBoxLayout::TCustomListBoxLayout()
    : m_textLayout(TOwnerDrawTextLayout::Instance()), m_frameLayout(TFrameLayout::Instance())
{
}

UINT TCustomListBoxLayout::TextFormat() const
{
    UINT format = DT_SINGLELINE;
    switch (m_horizontalAlignment) {
    case 0:
        format |= DT_LEFT;
        break;
    case 1:
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_CENTER;
        break;
    }
    switch (m_verticalAlignment) {
    case 0:
        format |= DT_TOP;
        break;
    case 1:
        format |= DT_BOTTOM;
        break;
    default:
        format |= DT_VCENTER;
        break;
    }
    if (m_endEllipsis)
        format |= DT_END_ELLIPSIS;
    return format;
}

void TCustomListBoxLayout::DrawBackground(TCanvas* canvas, const RECT& rect, TOwnerDrawState state)
{
    TColor color = m_highlightColor;
    if (!(state & odSelected))
        color = ListBox() ? ListBox()->Color() : clWindow;
    canvas->Brush()->SetColor(color);
    m_frameLayout->DrawBackground(canvas, rect);
}

void TCustomListBoxLayout::DrawText(TCanvas* canvas, const std::string& text, TOwnerDrawState state, const RECT& rect)
{
    m_textLayout->DrawText(canvas, text.c_str(), rect, TextFormat(), state);
}

void TCustomListBoxLayout::DrawItem(TListBox* listBox, int index, const RECT& rect, TOwnerDrawState state)
{
    TCanvas* canvas = listBox->Canvas();
    DrawBackground(canvas, rect, state);
    RECT textRect{rect.left + m_leftMargin, rect.top + m_topMargin, rect.right - m_rightMargin,
                  rect.bottom - m_bottomMargin};
    DrawText(canvas, listBox->Items()->Get(index), state, textRect);
}

void TCustomListBoxLayout::MeasureItem(TListBox* listBox, int index, int& height)
{
    TCanvas* canvas = listBox->Canvas();
    RECT measured{0, 0, 0, height};
    std::string text = listBox->Items()->Get(index);
    // A line's height does not depend on where it sits; measured with its
    // vertical placement, some DrawText versions move the line within the
    // rectangle even while measuring.
    UINT format = (TextFormat() & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
    m_textLayout->CalcRect(canvas, text.c_str(), measured, format);
    height = measured.bottom + m_topMargin + m_bottomMargin;
    m_frameLayout->MeasureContent(canvas, measured);
}

void TCustomListBoxLayout::EraseBackground(TMessage& message)
{
    CallPreviousWindowProc(message);
    message.Result = 1;
}

}  // namespace vessa
