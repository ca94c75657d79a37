#include "KyPackage/Source/KyNumLed.h"

#include "KyPackage/Source/KyNumLed_imp.h"
#include "platform/vcl/Image.h"

TColor KyLedColors::LightColor() const
{
    return m_owner->Implementation()->GetLightColor();
}
void KyLedColors::SetLightColor(TColor color)
{
    m_owner->Implementation()->SetLightColor(color);
}
TColor KyLedColors::DarkColor() const
{
    return m_owner->Implementation()->GetDarkColor();
}
void KyLedColors::SetDarkColor(TColor color)
{
    m_owner->Implementation()->SetDarkColor(color);
}
TColor KyLedColors::BackgroundColor() const
{
    return m_owner->Implementation()->GetBackgroundColor();
}
void KyLedColors::SetBackgroundColor(TColor color)
{
    m_owner->Implementation()->SetBackgroundColor(color);
}
TColor KyLedColors::TransparentColor() const
{
    return m_owner->Implementation()->GetTransparentColor();
}
void KyLedColors::SetTransparentColor(TColor color)
{
    m_owner->Implementation()->SetTransparentColor(color);
}

void KyLedColors::AssignTo(TPersistent* destination)
{
    KyLedColors* target = As<KyLedColors>(destination);
    target->SetLightColor(LightColor());
    target->SetDarkColor(DarkColor());
    target->SetBackgroundColor(BackgroundColor());
    target->SetTransparentColor(TransparentColor());
}

KyNumLed::KyNumLed(TComponent* owner)
    : TControl(owner),
      m_imp(std::make_unique<vessa::KyNumLed_imp>(this, Parent(), Width(), Height())),
      m_ledColors(std::make_unique<KyLedColors>(this))
{
}

KyNumLed::~KyNumLed()
{
    m_imp.reset();
}

void KyNumLed::SetType(KyNumLedType type)
{
    m_imp->SetType(type);
}
KyNumLedType KyNumLed::GetType() const
{
    return m_imp->GetType();
}
void KyNumLed::SetStyle(KyNumLedStyle style)
{
    m_imp->SetStyle(style);
}
KyNumLedStyle KyNumLed::GetStyle() const
{
    return m_imp->GetStyle();
}
void KyNumLed::SetZeroLeading(bool zeroLeading)
{
    m_imp->SetZeroLeading(zeroLeading);
}
bool KyNumLed::GetZeroLeading() const
{
    return m_imp->GetZeroLeading();
}
void KyNumLed::SetFormat(const std::string& format)
{
    m_imp->SetFormat(format);
}
std::string KyNumLed::GetFormat() const
{
    return m_imp->GetFormat();
}
void KyNumLed::SetTransparent(bool transparent)
{
    m_imp->SetTransparent(transparent);
}
bool KyNumLed::GetTransparent() const
{
    return m_imp->GetTransparent();
}

void KyNumLed::SetKeepRatio(bool keepRatio)
{
    m_imp->SetKeepRatio(keepRatio);
    SetBounds(Left(), Top(), Width(), Height());
}

bool KyNumLed::GetKeepRatio() const
{
    return m_imp->GetKeepRatio();
}

void KyNumLed::SetLedColors(KyLedColors* colors)
{
    m_ledColors->SetLightColor(colors->LightColor());
    m_ledColors->SetDarkColor(colors->DarkColor());
    m_ledColors->SetBackgroundColor(colors->BackgroundColor());
    m_ledColors->SetTransparentColor(colors->TransparentColor());
}

void KyNumLed::SetValue(const double& value)
{
    m_imp->SetValue(value);
}
void KyNumLed::SetValue(const TDateTime& value)
{
    m_imp->SetValue(value);
}
bool KyNumLed::GetValue(double& value) const
{
    return m_imp->GetValue(value);
}
bool KyNumLed::GetValue(TDateTime& value) const
{
    return m_imp->GetValue(value);
}
void KyNumLed::On(unsigned position)
{
    m_imp->On(position);
}
void KyNumLed::Off(unsigned position)
{
    m_imp->Off(position);
}

void KyNumLed::Repaint()
{
    m_imp->Repaint();
    TControl::Repaint();
}

void KyNumLed::SetBounds(int left, int top, int width, int height)
{
    if (!m_imp) {  // the base class sizing the control while it is built
        TControl::SetBounds(left, top, width, height);
        return;
    }
    m_imp->Move(left, top);
    m_imp->Resize(width, height);
    TControl::SetBounds(left, top, m_imp->Width(), m_imp->Height());
}

void KyNumLed::SetParent(TWinControl* parent)
{
    if (m_imp)
        m_imp->SetParent(parent);
    TControl::SetParent(parent);
}

namespace Kynumled {

void Register()
{
    RegisterComponents("KyComponents", {"KyNumLed"});
}

}  // namespace Kynumled
