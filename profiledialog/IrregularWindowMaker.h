#pragma once
// The dialogs' outline: a borderless dialog takes the shape of its
// background picture (the picture's transparent colour is cut out of the
// window) and moves when its background is dragged.

#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"

class IrregularWindowMaker {
public:
    IrregularWindowMaker(TCustomForm* form, TImage* image);
    IrregularWindowMaker(const IrregularWindowMaker&) = delete;
    IrregularWindowMaker& operator=(const IrregularWindowMaker&) = delete;

    // Shapes the form by the transparent colour of the image's picture.
    void Apply();
    // Shapes the form by `transparent` and hooks the drag; once only: later
    // calls, and later changes of the picture, leave the shape as it is.
    void ApplyWithColor(TColor transparent);
    bool IsApplied() const { return m_applied; }

private:
    TCustomForm* m_form;
    TImage* m_image;
    bool m_applied = false;
    qn::TNormalDrag m_drag;  // left press moves the form; the image's own handler runs after
};

// Gives the form the region of the image's picture without `transparent`,
// placed where the image sits in the form's window.
void SetFormRegion(TCustomForm* form, TImage* image, TColor transparent);
