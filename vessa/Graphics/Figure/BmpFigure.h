#pragma once
// A figure that shows its own copy of a bitmap through a painter.

#include <windows.h>

#include "platform/vcl/Bitmap.h"
#include "vessa/Graphics/Figure/Figure.h"
#include "vessa/Graphics/ScreenFormat.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

template <class Painter>
class TBitmapFigure : public BitmapFigure {
public:
    explicit TBitmapFigure(Painter* painter) : m_painterPtr(painter) {}
    ~TBitmapFigure() override { delete bitmap; }
    TBitmapFigure(const TBitmapFigure&) = delete;
    TBitmapFigure& operator=(const TBitmapFigure&) = delete;

    void Draw() override
    {
        VESSA_ASSERT(m_painterPtr);
        if (!bitmap || !bitmap->HandleAllocated())
            return;
        m_painterPtr->DrawBitmap(bitmap->Handle(), RECT{0, 0, bitmap->Width(), bitmap->Height()}, Left(), Top());
    }

    void Erase() override
    {
        VESSA_ASSERT(m_painterPtr);
        if (!bitmap)
            return;
        m_painterPtr->FillRect(RECT{left, top, left + bitmap->Width(), top + bitmap->Height()});
    }

    int Width() const override { return bitmap ? bitmap->Width() : 0; }
    int Height() const override { return bitmap ? bitmap->Height() : 0; }

    // The figure's picture becomes a copy of `source`.
    void SetPicture(TBitmap* source)
    {
        if (!bitmap) {
            bitmap = new TBitmap;
            bitmap->SetPixelFormat(ScreenPixelFormat());
        }
        bitmap->Assign(source);
    }

    TBitmap* bitmap = nullptr;
    Painter* m_painterPtr;
};

}  // namespace vessa
