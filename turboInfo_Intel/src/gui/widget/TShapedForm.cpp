#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"

#include "vessa/System/VessaAssert.h"

namespace qn {

namespace {

// The first form above the image, walking up from its parent.
TCustomForm* FormAbove(TImage* image)
{
    for (TWinControl* parent = image->Parent(); parent != nullptr; parent = parent->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(parent))
            return form;
    return nullptr;
}

// Stores `value` when it differs from the current one; true when it did.
template <typename Value>
bool StoreChange(LayeredWindowSettings* settings, Value (LayeredWindowSettings::*get)() const,
                 void (LayeredWindowSettings::*set)(Value), Value value)
{
    if (settings == nullptr || (settings->*get)() == value)
        return false;
    (settings->*set)(value);
    return true;
}

void ReportFormSetting(TCustomForm* form, const char* text)
{
    MessageBoxA(nullptr, text, form->Name().c_str(), MB_OK);
}

}  // namespace

// --- drag delegates ---

void TDragDelegate::Attach(TCustomForm* form, TImage* image)
{
    VESSA_ASSERT_AT(!IsAttached(), "TShapedForm", 27);
    m_form.Set(form);
    m_image.Set(image);
    if (image != nullptr)
        Hook(image);
}

TNormalDrag::~TNormalDrag()
{
    if (m_image != nullptr)
        Unhook(m_image);
}

void TNormalDrag::Hook(TImage* image)
{
    m_savedMouseDown = image->OnMouseDown;
    image->OnMouseDown = TMouseEvent(this, &TNormalDrag::ImageMouseDown);
    m_hooked = true;
}

void TNormalDrag::Unhook(TImage* image)
{
    if (!m_hooked)
        return;
    image->OnMouseDown = m_savedMouseDown;
    m_hooked = false;
}

void TNormalDrag::ImageMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && m_form != nullptr) {
        // The system moves the form as if its caption had been pressed.
        ReleaseCapture();
        SendMessageA(m_form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    m_savedMouseDown(sender, button, shift, x, y);
}

// --- form makers ---

TShapedFormMaker::~TShapedFormMaker() = default;

bool TShapedFormMaker::Attach(TImage* image)
{
    VESSA_ASSERT_AT(!IsAttached(), "TShapedForm", 403);
    if (image == nullptr)
        return false;
    TCustomForm* form = FormAbove(image);
    if (form == nullptr)
        return false;
    m_form.Set(form);
    m_image.Set(image);
    CheckForm();

    // The key is the picture's automatic transparent colour: its
    // bottom-left pixel, with the form library's flag.
    TBitmap* picture = image->Picture()->Bitmap();
    picture->SetPixelFormat(pf32bit);
    picture->SetTransparentMode(tmAuto);
    if (LayeredWindowSettings* settings = Settings())
        settings->SetColorKey(picture->TransparentColor());

    if (m_dragEnabled) {
        if (!m_drag)
            m_drag = std::make_unique<TNormalDrag>();
        m_drag->Attach(form, image);
    }
    Apply(form, image);
    return true;
}

void TShapedFormMaker::CheckForm()
{
    TCustomForm* form = m_form;
    form->SetControlStyle(form->ControlStyle() | csOpaque);
    if (form->BorderStyle() != bsNone)
        ReportFormSetting(form, "BorderStyle is not set to bsNone");
    if (form->Scaled()) {
        ReportFormSetting(form, "Scaled is not set to false");
        vessa::AssertFailed("m_form->Scaled == false", "TShapedForm", 503);
    }
    TImage* image = m_image;
    image->SetAutoSize(true);
    form->SetClientSize(image->Width(), image->Height());
}

void TShapedFormMaker::SetColorKeyEnabled(bool enabled)
{
    if (StoreChange(Settings(), &LayeredWindowSettings::GetColorKeyEnabled, &LayeredWindowSettings::SetColorKeyEnabled,
                    enabled))
        Reapply();
}

void TShapedFormMaker::SetColorKey(TColor color)
{
    if (StoreChange(Settings(), &LayeredWindowSettings::GetColorKey, &LayeredWindowSettings::SetColorKey, color))
        Reapply();
}

TColor TShapedFormMaker::GetColorKey() const
{
    LayeredWindowSettings* settings = Settings();
    return settings != nullptr ? settings->GetColorKey() : -1;
}

void TShapedFormMaker::Reapply()
{
    if (IsAttached())
        Apply(m_form, m_image);
}

TLayeredFormMaker::TLayeredFormMaker(HMODULE user32) : m_maker(std::make_unique<LayeredWindowMaker>(user32))
{
    if (m_maker->IsEnabled())
        SetColorKeyEnabled(true);
    else
        m_maker.reset();
}

void TLayeredFormMaker::Apply(TCustomForm* form, TImage* image)
{
    if (!m_maker || form == nullptr)
        return;
    form->SetColor(GetColorKey());
    m_maker->Apply(form->Handle());
}

void TLayeredFormMaker::Detach(TCustomForm* form)
{
    if (m_maker && form != nullptr && form->HandleAllocated())
        m_maker->Remove(form->Handle());
}

TPerPixelLayeredFormMaker::TPerPixelLayeredFormMaker(HMODULE user32)
    : m_maker(std::make_unique<TPerPixelLayeredWindowMaker>(user32))
{
    SetColorKeyEnabled(true);
}

void TPerPixelLayeredFormMaker::SetPerPixelAlpha(bool perPixelAlpha)
{
    if (m_maker->GetPerPixelAlpha() == perPixelAlpha)
        return;
    m_maker->SetPerPixelAlpha(perPixelAlpha);
    Reapply();
}

void TPerPixelLayeredFormMaker::Apply(TCustomForm* form, TImage* image)
{
    if (form == nullptr || image == nullptr || !m_maker->IsEnabled())
        return;
    form->SetColor(GetColorKey());
    m_maker->Apply(form, image->Picture()->Bitmap());
}

void TPerPixelLayeredFormMaker::Detach(TCustomForm* form)
{
    if (form != nullptr && form->HandleAllocated())
        m_maker->Remove(form->Handle());
}

}  // namespace qn
