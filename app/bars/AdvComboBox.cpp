#include "app/bars/AdvComboBox.h"

#include <algorithm>

#include "KyPackage/Source/KyImage.h"
#include "app/controls/BoxLabel.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"
#include "vessa/System/KyMultiLang.h"

namespace {

constexpr char kBodyNormalSkin[] = "combo_box_n.png";
constexpr char kBodyOpenSkin[] = "combo_box_o.png";
constexpr const char* kDropButtonSkins[4] = {"combo_button_n.png", "combo_button_d.png", "combo_button_o.png", nullptr};
constexpr char kListFont[] = "Arial";

// Places relative to the body's corner.
constexpr int kCaptionGap = 71;
constexpr int kCaptionWidth = 67;
constexpr POINT kTextPlace{4, -3};
constexpr SIZE kTextSize{156, 28};
constexpr POINT kDropButtonPlace{172, 1};
constexpr SIZE kDropPanelSize{194, 82};

const TColor kCaptionColor = static_cast<TColor>(RGB(104, 221, 255));
const TColor kTextColor = static_cast<TColor>(RGB(255, 255, 251));
const TColor kHighlightColor = static_cast<TColor>(RGB(128, 80, 199));
constexpr int kListLeftMargin = 4;

bool IsJapanese()
{
    return vessa::KyMultiLang::Instance().GetLanguage() == vessa::kJapaneseLanguage;
}

// The drop-down's list without the system's light scroll bar, which would
// break the dark skin and cover the names' ends: the wheel and the keys
// scroll it (see ApplicationMessage).
class SkinListBox : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TListBox::CreateParams(params);
        params.Style &= ~WS_VSCROLL;
    }
};

// The item a navigation key selects from `index` in a list of `count`
// showing `page` items; -1 for a key that does not navigate.
int KeyTarget(WPARAM key, int index, int count, int page)
{
    switch (key) {
    case VK_UP:
        return std::max(index - 1, 0);
    case VK_DOWN:
        return std::min(index + 1, count - 1);
    case VK_PRIOR:
        return std::max(index - page, 0);
    case VK_NEXT:
        return std::min(index + page, count - 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return count - 1;
    default:
        return -1;
    }
}

std::unique_ptr<TBitmap> ReadSkin(const char* file)
{
    auto bitmap = std::make_unique<TBitmap>();
    ReadSkinFile(file, bitmap.get());
    return bitmap;
}

}  // namespace

AdvComboBox::AdvComboBox(BarHost& host, int left, int top) : m_host(host)
{
    TWinControl* owner = host.Window();
    m_body = CreateKyImage(owner, left, top, kBodyNormalSkin);
    m_bodyNormal = ReadSkin(kBodyNormalSkin);
    m_bodyOpen = ReadSkin(kBodyOpenSkin);
    BuildLabels(owner);
    AddChild(m_body);
    AddChild(m_captionLabel);
    AddChild(m_textLabel);

    CreateAlphaButton(m_dropButton, left + kDropButtonPlace.x, top + kDropButtonPlace.y, kDropButtonSkins, nullptr,
                      nullptr, false);
    AddChild(m_dropButton);
    AddChild(m_dropButton);
    m_dropButton->OnMouseDown = TMouseEvent(this, &AdvComboBox::DropButtonMouseDown);

    BuildDropDown(owner);
    AddChild(m_dropPanel);

    m_previousOnMessage = Application->OnMessage;
    m_previousOnDeactivate = Application->OnDeactivate;
    Application->OnMessage = TMessageEvent(this, &AdvComboBox::ApplicationMessage);
    Application->OnDeactivate = TNotifyEvent(this, &AdvComboBox::ApplicationDeactivate);
}

AdvComboBox::~AdvComboBox()
{
    // Only the box's own handlers are taken back; one installed later
    // keeps chaining to what it saved.
    if (Application->OnMessage == TMessageEvent(this, &AdvComboBox::ApplicationMessage))
        Application->OnMessage = m_previousOnMessage;
    if (Application->OnDeactivate == TNotifyEvent(this, &AdvComboBox::ApplicationDeactivate))
        Application->OnDeactivate = m_previousOnDeactivate;
    m_listLayout.reset();
    delete m_dropButton;
    delete m_body;
    delete m_captionLabel;
    delete m_textLabel;
    delete m_dropPanel;  // with the list box and the drop-down image
}

void AdvComboBox::BuildLabels(TWinControl* owner)
{
    const bool japanese = IsJapanese();
    const RECT body = m_body->BoundsRect();
    m_captionLabel =
        CreateBoxLabel(owner, BoxLabelStyle{japanese ? 9 : 13, kCaptionColor, taRightJustify},
                       RECT{body.left - kCaptionGap, body.top, body.left - kCaptionGap + kCaptionWidth, body.bottom});
    const POINT text{body.left + kTextPlace.x, body.top + kTextPlace.y};
    m_textLabel = CreateBoxLabel(owner, BoxLabelStyle{11, kTextColor, taLeftJustify},
                                 RECT{text.x, text.y, text.x + kTextSize.cx, text.y + kTextSize.cy});
    m_textLabel->SetEllipsisPosition(epEndEllipsis);
    m_textLabel->SetVisible(true);
    m_textLabel->BringToFront();
    if (japanese) {
        m_captionLabel->Font()->SetCharset(vessa::kJapaneseCharSet);
        m_textLabel->Font()->SetCharset(vessa::kJapaneseCharSet);
    }
}

void AdvComboBox::BuildDropDown(TWinControl* owner)
{
    m_dropPanel = new TPanel(owner);
    m_dropPanel->SetVisible(false);
    m_dropPanel->SetParent(owner);
    m_dropPanel->SetBevelOuter(bvNone);
    m_dropPanel->SetBounds(m_body->Left(), m_body->Top() + m_body->Height(), kDropPanelSize.cx, kDropPanelSize.cy);

    m_dropImage = new TImage(m_dropPanel);
    m_dropImage->SetParent(m_dropPanel);
    m_dropImage->SetBounds(0, 0, kDropPanelSize.cx, kDropPanelSize.cy);
    PaintDropImage();

    m_listBox = new SkinListBox(m_dropPanel);
    m_listBox->SetParent(m_dropPanel);
    m_listBox->SetBounds(1, 0, kDropPanelSize.cx - 2, kDropPanelSize.cy - 2);
    m_listBox->SetBorderStyle(bsNoBorder);
    m_listBox->SetColor(clBlack);
    m_listBox->SetStyle(lbOwnerDrawFixed);
    m_listBox->SetVisible(true);
    m_listBox->BringToFront();
    m_listBox->OnMouseDown = TMouseEvent(this, &AdvComboBox::ListMouseDown);
    m_listBox->OnMouseUp = TMouseEvent(this, &AdvComboBox::ListMouseUp);
    m_listBox->Font()->SetName(kListFont);
    m_listBox->Font()->SetColor(kTextColor);
    m_listBox->Font()->SetStyle(fsBold);
    if (IsJapanese())
        m_listBox->Font()->SetCharset(vessa::kJapaneseCharSet);

    m_listLayout = std::make_unique<vessa::TCustomListBoxLayout>();
    m_listLayout->SetHighlightColor(kHighlightColor);
    m_listLayout->SetLeftMargin(kListLeftMargin);
    m_listLayout->SetEndEllipsis(true);
    m_listLayout->Attach(m_listBox);
}

// The drop-down's background: the host's combo body picture stretched
// down to where its bottom picture closes it.
void AdvComboBox::PaintDropImage()
{
    TBitmap* picture = m_dropImage->Picture()->Bitmap();
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(kDropPanelSize.cx, kDropPanelSize.cy);
    TImage* bottomPicture = m_host.Picture(HostPicture::kComboBoxBottom);
    TImage* bodyPicture = m_host.Picture(HostPicture::kComboBoxBody);
    if (bottomPicture == nullptr || bodyPicture == nullptr)
        return;
    TBitmap* bottom = bottomPicture->Picture()->Bitmap();
    TBitmap* body = bodyPicture->Picture()->Bitmap();
    const int bodyHeight = kDropPanelSize.cy - bottom->Height();
    TCanvas* canvas = picture->Canvas();
    canvas->Draw(0, bodyHeight, bottom);
    canvas->StretchDraw(RECT{0, 0, kDropPanelSize.cx, bodyHeight}, body);
}

int AdvComboBox::GetLeft() const
{
    return m_body->Left();
}
int AdvComboBox::GetTop() const
{
    return m_body->Top();
}
bool AdvComboBox::IsVisible() const
{
    return m_body->Visible();
}
int AdvComboBox::GetHeight() const
{
    return m_body->Top() + m_body->Height();
}

void AdvComboBox::SetVisible(bool visible)
{
    Close();
    for (size_t i = 0; i + 1 < m_children.size(); ++i)
        m_children[i]->SetVisible(visible);
    m_children.back()->SetVisible(false);
}

void AdvComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= m_listBox->Items()->Count())
        return;
    if (index == m_listBox->ItemIndex()) {
        // No choice in the list (rebuilt, or its entry gone) must not leave
        // the last chosen name in the box.
        if (index == -1)
            ShowChosenText(std::string());
        return;
    }
    m_listBox->SetItemIndex(index);
    ShowChosenText(index < 0 ? std::string() : m_listBox->Items()->Get(index));
    OnChange(m_listBox);
}

void AdvComboBox::ShowChosenText(const std::string& text)
{
    m_textLabel->SetText(text);
    m_textLabel->BringToFront();
}

void AdvComboBox::Open()
{
    m_body->Picture()->SetBitmap(m_bodyOpen.get());
    m_dropPanel->SetVisible(true);
    // Above every control built after the box.
    m_dropPanel->BringToFront();
    OnDropDown(m_listBox);
}

void AdvComboBox::Close()
{
    if (!IsOpen())
        return;
    m_body->Picture()->SetBitmap(m_bodyNormal.get());
    m_dropPanel->SetVisible(false);
}

void AdvComboBox::DropButtonMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    if (IsOpen())
        Close();
    else
        Open();
}

// The list control takes the press as a mouse event and does not pass it
// on to the system list, so the item under the pointer is selected here.
void AdvComboBox::ListMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    const int index = m_listBox->ItemAtPos(POINT{x, y}, true);
    if (index >= 0)
        m_listBox->SetItemIndex(index);
}

void AdvComboBox::ListMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    ChooseSelected();
}

void AdvComboBox::ChooseSelected()
{
    const int index = m_listBox->ItemIndex();
    if (index != -1) {
        ShowChosenText(m_listBox->Items()->Get(index));
        OnChange(m_listBox);
    }
    Close();
}

void AdvComboBox::ApplicationMessage(MSG& message, bool& handled)
{
    // The open list takes the wheel and the keys wherever the focus is.
    if (IsOpen() && message.message == WM_MOUSEWHEEL) {
        SendMessageA(m_listBox->Handle(), WM_MOUSEWHEEL, message.wParam, message.lParam);
        handled = true;
    } else if (IsOpen() && message.message == WM_KEYDOWN) {
        const int count = m_listBox->Items()->Count();
        const int itemHeight = std::max(1, static_cast<int>(SendMessageA(m_listBox->Handle(), LB_GETITEMHEIGHT, 0, 0)));
        const int target = KeyTarget(message.wParam, m_listBox->ItemIndex(), count,
                                     std::max(1, m_listBox->ClientHeight() / itemHeight));
        // Selecting an item scrolls it into view.
        if (target >= 0 && count > 0)
            m_listBox->SetItemIndex(target);
        else if (message.wParam == VK_RETURN)
            ChooseSelected();
        else if (message.wParam == VK_ESCAPE)
            Close();
        handled = target >= 0 || message.wParam == VK_RETURN || message.wParam == VK_ESCAPE;
    }
    if (message.message == WM_LBUTTONDOWN && IsOpen() && message.hwnd != m_listBox->Handle() &&
        message.hwnd != m_dropButton->Handle()) {
        Close();
        handled = true;  // the click only closes the list
    }
    m_previousOnMessage(message, handled);
}

void AdvComboBox::ApplicationDeactivate(TObject* sender)
{
    Close();
    m_previousOnDeactivate(sender);
}
