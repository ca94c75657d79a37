#include "app/pages/OcLayout.h"

#include "app/controls/ControlFactory.h"
#include "app/pages/ZendrixLayout.h"
#include "vessa/System/KyMultiLang.h"

namespace {

constexpr int kTabFontHeight = -13;
constexpr TColor kTabCaptionColor = RGB(104, 221, 255);

}  // namespace

OcLayout::~OcLayout() = default;

PageHost& OcLayout::Host()
{
    return ZendrixLayout::GetInstance().Host();
}

void OcLayout::Select(bool selected)
{
    m_selected = selected;
    m_tab->SetChecked(selected);
    if (m_visible)
        ShowContent(selected);
}

void OcLayout::SetVisible(bool visible)
{
    m_tab->SetVisible(visible);
    m_visible = visible;
    ShowContent(visible && m_selected);
}

void OcLayout::CreateTab(int left, const char* uncheckedSkin, const char* checkedSkin, const std::string& caption)
{
    const char* const skins[] = {uncheckedSkin, nullptr, nullptr, nullptr, checkedSkin, nullptr, nullptr, nullptr};
    // The tab strip is the same in both expanded pictures.
    CreateMiddleRadioButtonTx(m_tab, left, kTabTop, skins, nullptr, false);
    m_tab->SetText(caption);
    TFont* font = m_tab->Font();
    if (IsJapaneseLanguage())
        font->SetCharset(vessa::kJapaneseCharSet);
    font->SetHeight(kTabFontHeight);
    font->SetStyle(font->Style() | fsBold);
    font->SetColor(kTabCaptionColor);
    m_tab->SetVisible(false);
}
