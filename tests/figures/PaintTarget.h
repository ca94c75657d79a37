#pragma once
// A bitmap to paint figures on in tests: a painter over a layer whose canvas
// is the bitmap's, and the bitmap read back as rows of characters.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SolidBitmap.h"
#include "vessa/Graphics/Layer.h"
#include "vessa/Graphics/Painter.h"

namespace figuretest {

using CanvasLayerT = vessa::CanvasLayer<vessa::NullSaver<TCanvas*>>;

// What the painter needs of a layer: its canvas layer.
struct BitmapLayer {
    explicit BitmapLayer(TBitmap* target)
        : canvasLayer(new CanvasLayerT(target->Canvas(), target->Width(), target->Height()))
    {
    }
    ~BitmapLayer() { delete canvasLayer; }
    BitmapLayer(const BitmapLayer&) = delete;
    BitmapLayer& operator=(const BitmapLayer&) = delete;
    CanvasLayerT* canvasLayer;
};
using Painter = vessa::SimplePainter<BitmapLayer>;

struct PaintTarget {
    PaintTarget(int width, int height, TColor background = clWhite)
        : bitmap(zxtest::SolidBitmap(width, height, background)), layer(bitmap.get()), painter(&layer)
    {
        layer.canvasLayer->backgroundColor = background;
    }

    COLORREF Pixel(int x, int y) { return bitmap->Canvas()->Pixel(x, y); }

    // One character per pixel from `legend` (colour -> character), '?' for
    // any other colour.
    std::vector<std::string> Rows(const std::map<COLORREF, char>& legend)
    {
        std::vector<std::string> rows;
        for (int y = 0; y < bitmap->Height(); ++y) {
            std::string row;
            for (int x = 0; x < bitmap->Width(); ++x) {
                auto found = legend.find(Pixel(x, y));
                row += found == legend.end() ? '?' : found->second;
            }
            rows.push_back(row);
        }
        return rows;
    }

    std::unique_ptr<TBitmap> bitmap;
    BitmapLayer layer;
    Painter painter;
};

}  // namespace figuretest
