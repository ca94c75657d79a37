#include "platform/vcl/ListBox.h"

#include "platform/vcl/GdiGuards.h"

namespace {

// Lends a canvas the measuring context for as long as it lives, then gives
// it back the context it had (an item being drawn may add items).
class MeasuringContext {
public:
    MeasuringContext(TCanvas* canvas, TFont* font) : m_loan(canvas, m_screen.Get()) { canvas->SetFont(font); }

private:
    TMeasuringDC m_screen;  // restored after the canvas let go of it
    TCanvasDCLoan m_loan;
};

}  // namespace

void TListBoxStrings::CheckIndex(int index, bool allowEnd) const
{
    if (index < 0 || index >= Count() + (allowEnd ? 1 : 0))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TListBoxStrings::Get(int index) const
{
    CheckIndex(index, false);
    return m_items[index].text;
}

void* TListBoxStrings::GetObject(int index) const
{
    CheckIndex(index, false);
    return m_items[index].object;
}

void TListBoxStrings::PutObject(int index, void* object)
{
    CheckIndex(index, false);
    m_items[index].object = object;
}

void TListBoxStrings::Insert(int index, const std::string& text)
{
    CheckIndex(index, true);
    m_items.insert(m_items.begin() + index, Item{text, nullptr});
    if (m_list->HandleAllocated())
        SendMessageA(m_list->Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBoxStrings::Delete(int index)
{
    CheckIndex(index, false);
    m_items.erase(m_items.begin() + index);
    if (m_list->HandleAllocated())
        SendMessageA(m_list->Handle(), LB_DELETESTRING, index, 0);
}

void TListBoxStrings::Clear()
{
    m_items.clear();
    if (m_list->HandleAllocated())
        SendMessageA(m_list->Handle(), LB_RESETCONTENT, 0, 0);
}

void TListBoxStrings::PushToWindow(HWND window) const
{
    for (const Item& item : m_items)
        SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), m_items(this)
{
    StoreBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TListBox::~TListBox()
{
    m_canvas.SetHandle(nullptr);
}

void TListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SubclassOf = "LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (m_style == lbOwnerDrawFixed)
        params.Style |= LBS_OWNERDRAWFIXED;
    else if (m_style == lbOwnerDrawVariable)
        params.Style |= LBS_OWNERDRAWVARIABLE;
    if (m_borderStyle == bsSingleBorder)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND window = Handle();
    if (m_style == lbOwnerDrawFixed)
        SendMessageA(window, LB_SETITEMHEIGHT, 0, m_itemHeight);
    m_items.PushToWindow(window);
    SendMessageA(window, LB_SETCURSEL, m_itemIndex, 0);
}

void TListBox::ReleaseHandle()
{
    if (HandleAllocated())
        m_itemIndex = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    TWinControl::ReleaseHandle();
}

int TListBox::ItemIndex()
{
    return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)) : m_itemIndex;
}

void TListBox::SetItemIndex(int index)
{
    m_itemIndex = index;
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETCURSEL, index, 0);
}

void TListBox::SetItemHeight(int height)
{
    if (height <= 0 || height == m_itemHeight)
        return;
    m_itemHeight = height;
    if (HandleAllocated() && m_style == lbOwnerDrawFixed) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
        Invalidate();
    }
}

void TListBox::SetStyle(TListBoxStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    RecreateWnd();
}

void TListBox::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

int TListBox::ItemAtPos(POINT point, bool existing)
{
    LRESULT result = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    int index = LOWORD(result);
    bool outside = HIWORD(result) != 0;
    if (outside && existing)
        return -1;
    return index;
}

RECT TListBox::ItemRect(int index)
{
    RECT rect{};
    SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    m_canvas.FillRect(rect);
    m_canvas.TextOut(rect.left + 2, rect.top, m_items.Get(index));
}

void TListBox::MeasureItem(int index, int& height)
{
    OnMeasureItem(this, index, height);
}

void TListBox::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        TOwnerDrawState state = 0;
        if (item->itemState & ODS_SELECTED)
            state |= odSelected;
        if (item->itemState & ODS_GRAYED)
            state |= odGrayed;
        if (item->itemState & ODS_DISABLED)
            state |= odDisabled;
        if (item->itemState & ODS_CHECKED)
            state |= odChecked;
        if (item->itemState & ODS_FOCUS)
            state |= odFocused;
        TCanvasDCLoan loan(&m_canvas, item->hDC);
        m_canvas.SetFont(Font());
        m_canvas.SetBrush(Brush());
        if (state & odSelected) {
            m_canvas.Brush()->SetColor(clHighlight);
            m_canvas.Font()->SetColor(clHighlightText);
        }
        int index = static_cast<int>(item->itemID);
        if (index >= 0 && index < m_items.Count())
            DrawItem(index, item->rcItem, state);
        else
            m_canvas.FillRect(item->rcItem);
        message.Result = TRUE;
        return;
    }
    case CN_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        int height = m_itemHeight;
        if (m_style == lbOwnerDrawVariable) {
            // The handler may measure text: meanwhile the canvas draws on
            // the screen with the list's font.
            MeasuringContext measuring(&m_canvas, Font());
            MeasureItem(static_cast<int>(item->itemID), height);
        }
        item->itemHeight = height;
        message.Result = TRUE;
        return;
    }
    case CN_COMMAND:
        if (HIWORD(message.WParam) == LBN_SELCHANGE) {
            Click();
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}
