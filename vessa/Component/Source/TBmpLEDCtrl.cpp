#include "vessa/Component/Source/TBmpLEDCtrl.h"

#include <vector>

#include "vessa/System/VessaAssert.h"

namespace vessa {

TBmpLEDCtrl::TBmpLEDCtrl(TComponent* owner, TWinControl* parent, int stateCount)
{
    VESSA_ASSERT(stateCount > 0);
    layer = new Layer(owner, parent);
    painter = new Painter(layer);
    std::vector<TBitmap*> none(stateCount, nullptr);
    led = new BitmapLED(0, 0, none.begin(), none.end(), painter);
    for (int i = 0; i < stateCount; ++i)
        led->Bitmap(i)->OnChange = TNotifyEvent(this, &TBmpLEDCtrl::BitmapChanged);
}

TBmpLEDCtrl::~TBmpLEDCtrl()
{
    delete layer;
    delete painter;
    delete led;
}

void TBmpLEDCtrl::SetState(int state)
{
    if (state == State())
        return;
    led->SetState(state);
    led->PlacedFigure()->Draw();
}

void TBmpLEDCtrl::Refresh()
{
    led->Update();
    led->PlacedFigure()->Draw();
    if (layer->image)
        layer->image->Repaint();
}

void TBmpLEDCtrl::MoveBy(int dx, int dy)
{
    TImage* image = layer->image;
    image->SetBounds(image->Left() + dx, image->Top() + dy, image->Width(), image->Height());
}

int TBmpLEDCtrl::Left() const
{
    return layer->image->Left();
}

int TBmpLEDCtrl::Top() const
{
    return layer->image->Top();
}

int TBmpLEDCtrl::Width() const
{
    return layer->PictureBitmap()->Width();
}

int TBmpLEDCtrl::Height() const
{
    return layer->PictureBitmap()->Height();
}

void TBmpLEDCtrl::SetSize(int width, int height)
{
    layer->PictureBitmap()->SetSize(width, height);
    TImage* image = layer->image;
    image->SetBounds(image->Left(), image->Top(), width, height);
    layer->canvasLayer->Resize(width, height);
}

TColor TBmpLEDCtrl::TransparentColor() const
{
    return layer->PictureBitmap()->TransparentColor() & 0xFFFFFF;
}

void TBmpLEDCtrl::SetTransparentColor(TColor color)
{
    layer->PictureBitmap()->SetTransparentColor(static_cast<TColor>(ColorToRGB(color)));
}

void TBmpLEDCtrl::BitmapChanged(TObject* sender)
{
    int index = 0;
    while (index < StateCount() && led->Bitmap(index) != sender)
        ++index;
    if (index == State())
        Refresh();
}

}  // namespace vessa
