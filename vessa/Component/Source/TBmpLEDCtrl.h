#pragma once
// An N-state picture: one bitmap per state, the current one shown in a
// TImage child of a control. Loading a new picture into the current state's
// bitmap shows it at once; another state's picture shows when that state is
// selected.

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/WinControl.h"
#include "vessa/Component/LED/BmpLED.h"
#include "vessa/Component/Source/LEDCtrl.h"
#include "vessa/Graphics/Layer.h"
#include "vessa/Graphics/Painter.h"

namespace vessa {

class TBmpLEDCtrl : public LEDCtrl {
public:
    using Layer = ImageLayer<NullSaver<TCanvas*>>;
    using Painter = SimplePainter<Layer>;
    using BitmapLED = TBitmapLED<Painter>;

    // `parent` shows the image; `owner` owns it.
    TBmpLEDCtrl(TComponent* owner, TWinControl* parent, int stateCount);
    ~TBmpLEDCtrl() override;
    TBmpLEDCtrl(const TBmpLEDCtrl&) = delete;
    TBmpLEDCtrl& operator=(const TBmpLEDCtrl&) = delete;

    int StateCount() const override { return led->StateCount(); }
    int State() const override { return led->State(); }
    // Draws only on a change of state.
    void SetState(int state) override;
    // Draws the current state's bitmap again.
    void Refresh() override;
    void MoveBy(int dx, int dy) override;
    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;

    // The state's own bitmap (not a copy).
    TBitmap* Bitmap(int index) { return led->Bitmap(index); }
    void SetBitmap(TBitmap* source, int index) { led->Bitmap(index)->Assign(source); }

    void SetSize(int width, int height);
    // RGB, low 24 bits.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    bool Transparent() const { return layer->image->Transparent(); }
    void SetTransparent(bool transparent) { layer->image->SetTransparent(transparent); }
    TCanvas* Canvas() { return layer->Canvas(); }
    TImage* Image() const { return layer->image; }

private:
    void BitmapChanged(TObject* sender);

    Layer* layer;
    Painter* painter;
    BitmapLED* led;
};

}  // namespace vessa
