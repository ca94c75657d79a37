#pragma once
// A device-independent bitmap (DIB section) with scan-line access and a
// memory-DC canvas. Rows are top-down: ScanLine(0) is the top row.
// Changing size keeps the content top-left and fills new area with the
// canvas brush colour; changing the pixel format converts the pixels (a
// 32-bit bitmap keeps its alpha bytes through resizes; 24 -> 32 gives alpha 0,
// as a GDI copy does). Every change made through the bitmap or its canvas
// fires OnChange.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

// Marks the automatic transparent colour (the bottom-left pixel).
constexpr TColor kAutoTransparentFlag = 0x02000000;

class TBitmap;

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : m_bitmap(bitmap) {}
    ~TBitmapCanvas() override;
    // Lets the memory DC go (before the bitmap handle changes).
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* m_bitmap;
    HDC m_memoryDc = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
};

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void SetWidth(int width) override { SetSize(width, m_height); }
    void SetHeight(int height) override { SetSize(m_width, height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return m_format; }
    void SetPixelFormat(TPixelFormat format);

    // Row y, top row 0; bytes per pixel as the format has it. Null when empty.
    void* ScanLine(int y);
    int BytesPerLine() const { return m_stride; }

    TCanvas* Canvas();
    HBITMAP Handle();
    // Takes ownership of `bitmap` (any HBITMAP; a device bitmap becomes a
    // DIB section when its scan lines are asked for).
    void SetHandle(HBITMAP bitmap);
    // Gives the handle away: the bitmap is empty afterwards and frees nothing.
    HBITMAP ReleaseHandle();
    bool HandleAllocated() const { return m_handle != nullptr; }

    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto, or tmFixed before a colour was set: the bottom-left pixel's
    // colour | kAutoTransparentFlag.
    TColor TransparentColor();
    // Fixes the colour (and the mode to tmFixed); clDefault returns to tmAuto.
    void SetTransparentColor(TColor color);

    // Deep copy of another bitmap; null makes this bitmap empty.
    void Assign(TPersistent* source) override;
    // As Assign followed by SetPixelFormat(format), with one image made.
    void AssignAs(TBitmap* source, TPixelFormat format);
    // As Assign, but the image itself moves over instead of being copied:
    // `source` is left empty (both fire OnChange). For a picture built in a
    // bitmap that is thrown away afterwards.
    void TakeImage(TBitmap* source);
    // The two bitmaps trade their images (and transparency); both fire
    // OnChange.
    void ExchangeImage(TBitmap* other);
    void LoadFromFile(const std::string& fileName) override;
    void SaveToFile(const std::string& fileName);

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;
    void Changed() override;

private:
    friend class TBitmapCanvas;
    void CanvasChanged(TObject*);
    void FreeImage();
    // Replaces the image by a new DIB of the given size and format holding
    // the old content top-left.
    void Rebuild(int width, int height, TPixelFormat format);
    // The format a copy of this bitmap takes: its own, and 24 bits for a
    // device bitmap.
    TPixelFormat CopiedFormat() const { return m_format == pfDevice ? pf24bit : m_format; }
    // The image of `source` copied in `format`: its own, or the other
    // true-colour depth.
    void CopyImage(TBitmap* source, TPixelFormat format);
    // One row of `width` pixels: a byte copy, or 24 into 32 bits (alpha 0)
    // and back.
    static void CopyRow(const unsigned char* from, int fromBpp, unsigned char* to, int toBpp, int width);
    static void FillTrueColour(unsigned char* bits, int stride, int width, int height, int bpp, COLORREF colour);
    // The old content into a new image of the same layout, or of 24 into
    // 32 bits and back.
    void CopyKeptPixels(unsigned char* bits, int stride, int bpp, int keepWidth, int keepHeight);
    void Adopt(HBITMAP handle, unsigned char* bits, int width, int height, int stride, TPixelFormat format);
    void AdoptHandle(HBITMAP bitmap);
    void EnsureDib();

    HBITMAP m_handle = nullptr;
    unsigned char* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    bool m_topDown = true;
    TPixelFormat m_format = pfDevice;
    std::unique_ptr<TBitmapCanvas> m_canvas;
    TTransparentMode m_transparentMode = tmAuto;
    TColor m_transparentColor = clDefault;
    int m_changeLock = 0;
};

int BitsPerPixel(TPixelFormat format);
