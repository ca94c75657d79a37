#pragma once
// Drawing surfaces of the LED stack. A canvas layer is a canvas with a
// background colour and a size; an image layer is a TImage whose picture
// bitmap carries a canvas layer. The saver brackets every drawing on the
// layer (NullSaver brackets nothing).

#include <windows.h>

#include <memory>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Image.h"
#include "vessa/Graphics/ScreenFormat.h"

namespace vessa {

// Saves and restores nothing around a drawing.
template <class Surface>
struct NullSaver {
    void Save(Surface) {}
    void Restore(Surface) {}
};

template <class Saver>
class CanvasLayer {
public:
    CanvasLayer(TCanvas* canvasIn, int widthIn, int heightIn, TColor background = 0xFFFFFF)
        : canvas(canvasIn), backgroundColor(background), width(widthIn), height(heightIn)
    {
    }

    // Fills `rect` with the background; the canvas keeps its brush.
    void FillRect(const RECT& rect)
    {
        TBrushStyle style = canvas->Brush()->Style();
        TColor color = canvas->Brush()->Color();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(backgroundColor);
        canvas->FillRect(rect);
        canvas->Brush()->SetStyle(style);
        canvas->Brush()->SetColor(color);
    }

    // Only area that the layer gains is cleared: shrinking clears nothing.
    void Resize(int newWidth, int newHeight)
    {
        int oldWidth = width;
        int oldHeight = height;
        width = newWidth;
        height = newHeight;
        if (newWidth > oldWidth)
            FillRect(RECT{oldWidth, 0, newWidth, newHeight});
        if (newHeight > oldHeight)
            FillRect(RECT{0, oldHeight, oldWidth, newHeight});
    }

    Saver& GetSaver() { return saver; }

    TCanvas* canvas;
    TColor backgroundColor;
    int width;
    int height;
    Saver saver;
    unsigned char flag = 0;
};

template <class Saver>
class ImageLayer {
public:
    using CanvasLayerType = CanvasLayer<Saver>;

    // A 0×0 image at (0, 0) on `parent`, disabled so that the mouse goes
    // to the parent.
    ImageLayer(TComponent* owner, TWinControl* parent) : image(new TImage(owner))
    {
        image->SetParent(parent);
        TBitmap* bitmap = image->Picture()->Bitmap();
        bitmap->SetSize(0, 0);
        image->SetBounds(image->Left(), image->Top(), 0, 0);
        bitmap->SetPixelFormat(ScreenPixelFormat());
        image->SetBounds(0, 0, 0, 0);
        bitmap->SetTransparentMode(tmFixed);
        canvasLayer = new CanvasLayerType(image->Canvas(), image->Width(), image->Height(), 0xFFFFFF);
        image->SetEnabled(false);
        image->FreeNotification(&m_watch);
        m_watch.layer = this;
    }

    virtual ~ImageLayer()
    {
        m_watch.layer = nullptr;
        if (image && !image->IsDestroying()) {
            image->RemoveFreeNotification(&m_watch);
            delete image;
        }
        delete canvasLayer;
    }

    ImageLayer(const ImageLayer&) = delete;
    ImageLayer& operator=(const ImageLayer&) = delete;

    TBitmap* PictureBitmap() { return image->Picture()->Bitmap(); }
    TCanvas* Canvas() { return image->Canvas(); }
    void FillRect(const RECT& rect) { canvasLayer->FillRect(rect); }

    TImage* image;
    CanvasLayerType* canvasLayer;

private:
    // Forgets the image when its owner frees it first.
    struct Watch : TComponent {
        Watch() : TComponent(nullptr) {}
        ImageLayer* layer = nullptr;
        void Notification(TComponent* component, TOperation operation) override
        {
            if (operation == opRemove && layer && component == layer->image)
                layer->image = nullptr;
        }
    };
    Watch m_watch;
};

}  // namespace vessa
