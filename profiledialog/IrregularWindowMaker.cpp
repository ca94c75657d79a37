#include "profiledialog/IrregularWindowMaker.h"

#include "vessa/Graphics/WinRegion.h"

IrregularWindowMaker::IrregularWindowMaker(TCustomForm* form, TImage* image) : m_form(form), m_image(image) {}

void IrregularWindowMaker::Apply()
{
    ApplyWithColor(m_image->Picture()->Bitmap()->TransparentColor());
}

void IrregularWindowMaker::ApplyWithColor(TColor transparent)
{
    if (m_applied)
        return;
    SetFormRegion(m_form, m_image, transparent);
    m_drag.Attach(m_form, m_image);
    m_applied = true;
}

void SetFormRegion(TCustomForm* form, TImage* image, TColor transparent)
{
    vessa::WinRegion region(image->Picture()->Bitmap(), transparent);
    const POINT imageOrigin = image->ClientToScreen(POINT{0, 0});
    POINT formOrigin{form->Left(), form->Top()};
    if (form->Parent())
        formOrigin = form->Parent()->ClientToScreen(formOrigin);
    // An MDI parent form's client edge moves its children by two pixels.
    const int correction = form->FormStyle() == fsMDIForm ? 2 : 0;
    region.Offset(imageOrigin.x + correction - formOrigin.x, imageOrigin.y + correction - formOrigin.y);
    region.ApplyToWindow(form->Handle(), true);
}
