#pragma once
// The painter of the LED stack: copies bitmaps onto a layer's canvas and
// fills with the layer's background. Its colour is the pen and brush colour
// it sets on every drawing (only the low 24 bits; -1 paints white).

#include <windows.h>

#include "platform/vcl/Bitmap.h"
#include "vessa/Graphics/Shape/ShapePainting.h"

namespace vessa {

template <class Layer>
class SimplePainter {
public:
    explicit SimplePainter(Layer* layerIn) : layer(layerIn) {}

    // Copies `source` of the bitmap behind `bitmap` to (x, y). The handle
    // stays the caller's.
    void DrawBitmap(HBITMAP bitmap, const RECT& source, int x, int y)
    {
        TCanvas* canvas = BeginPaint();
        TBitmap wrapper;
        wrapper.SetHandle(bitmap);
        DWORD previousMode = canvas->CopyMode();
        canvas->SetCopyMode(SRCCOPY);
        RECT target{x, y, x + (source.right - source.left), y + (source.bottom - source.top)};
        canvas->CopyRect(target, wrapper.Canvas(), source);
        canvas->SetCopyMode(previousMode);
        wrapper.ReleaseHandle();
        EndPaint();
    }

    void FillRect(const RECT& rect) { layer->canvasLayer->FillRect(rect); }

    // Shapes: a shape in the painter colour, filled (its outline too) or only its
    // outline; the shape's type picks the canvas routine.
    template <class Shape>
    void FillShape(const Shape& shape)
    {
        PaintFilled(BeginPaint(), shape);
        EndPaint();
    }
    template <class Shape>
    void FrameShape(const Shape& shape)
    {
        PaintOutline(BeginPaint(), shape);
        EndPaint();
    }
    TColor BackgroundColor() const { return layer->canvasLayer->backgroundColor; }

    Layer* layer;
    int color = -1;

private:
    TCanvas* BeginPaint()
    {
        layer->canvasLayer->saver.Save(layer->canvasLayer->canvas);
        TCanvas* canvas = layer->canvasLayer->canvas;
        TColor rgb = static_cast<TColor>(static_cast<unsigned>(color) & 0xFFFFFF);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetMode(pmCopy);
        canvas->Brush()->SetColor(rgb);
        canvas->Pen()->SetColor(rgb);
        return canvas;
    }
    void EndPaint() { layer->canvasLayer->saver.Restore(layer->canvasLayer->canvas); }
};

}  // namespace vessa
