#include "platform/vcl/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/vcl/LibraryTables.h"
#include "platform/vcl/Streams.h"

// GetObject reports a DIB section's height as positive whatever its row
// order, so the sections made here (all top-down) are remembered.
std::set<HBITMAP>& TopDownSections()
{
    static std::set<HBITMAP> sections;
    return sections;
}

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf32bit:
        return 32;
    default:
        return 24;  // device-dependent bitmaps are kept as 24-bit DIBs
    }
}

namespace {

TPixelFormat FormatOfBits(int bits)
{
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf15bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}

int StrideOf(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// Palette of the indexed formats: black/white, the 16 VGA colours, or a
// 6x6x6 colour cube followed by greys.
void FillPalette(RGBQUAD* palette, int bits)
{
    if (bits == 1) {
        palette[1] = RGBQUAD{255, 255, 255, 0};
        return;
    }
    if (bits == 4) {
        static const COLORREF vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                         0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                         0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        for (int i = 0; i < 16; ++i)
            palette[i] = RGBQUAD{GetBValue(vga[i]), GetGValue(vga[i]), GetRValue(vga[i]), 0};
        return;
    }
    int i = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette[i++] = RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0};
    for (int gray = 0; i < 256; ++i, ++gray) {
        BYTE v = BYTE(gray * 255 / 39);
        palette[i] = RGBQUAD{v, v, v, 0};
    }
}

void DeleteBitmapHandle(HBITMAP bitmap)
{
    TopDownSections().erase(bitmap);
    DeleteObject(bitmap);
}

HBITMAP CreateTopDownDib(int width, int height, int bits, unsigned char** pixels)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    if (bits <= 8)
        FillPalette(info.colors, bits);
    void* data = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &data, nullptr, 0);
    if (!bitmap)
        throw EOutOfResources("Out of system resources");
    *pixels = static_cast<unsigned char*>(data);
    TopDownSections().insert(bitmap);
    return bitmap;
}

}  // namespace

TBitmapCanvas::~TBitmapCanvas()
{
    FreeContext();
}

void TBitmapCanvas::CreateHandle()
{
    HBITMAP bitmap = m_bitmap->Handle();
    m_memoryDc = CreateCompatibleDC(nullptr);
    if (bitmap)
        m_previousBitmap = SelectObject(m_memoryDc, bitmap);
    SetHandle(m_memoryDc);
}

void TBitmapCanvas::FreeContext()
{
    if (!m_memoryDc)
        return;
    SetHandle(nullptr);
    if (m_previousBitmap)
        SelectObject(m_memoryDc, m_previousBitmap);
    DeleteDC(m_memoryDc);
    m_memoryDc = nullptr;
    m_previousBitmap = nullptr;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    m_canvas.reset();
    FreeImage();
}

void TBitmap::FreeImage()
{
    if (m_canvas)
        m_canvas->FreeContext();
    // The application object may be another module's (a library's forms
    // freed by the program's loop).
    if (m_handle && !(Application && Application->FreeingAtEnd()))
        DeleteBitmapHandle(m_handle);
    m_handle = nullptr;
    m_bits = nullptr;
    m_width = m_height = m_stride = 0;
    m_topDown = true;
}

void TBitmap::Changed()
{
    if (m_changeLock == 0)
        TGraphic::Changed();
}

void TBitmap::CanvasChanged(TObject*)
{
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!m_canvas) {
        m_canvas = std::make_unique<TBitmapCanvas>(this);
        m_canvas->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
    }
    return m_canvas.get();
}

HBITMAP TBitmap::Handle()
{
    return m_handle;
}

void TBitmap::Rebuild(int width, int height, TPixelFormat format)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == 0 || height == 0) {
        FreeImage();
        m_format = format;
        return;
    }
    EnsureDib();
    unsigned char* bits = nullptr;
    int bpp = BitsPerPixel(format);
    HBITMAP fresh = CreateTopDownDib(width, height, bpp, &bits);
    int stride = StrideOf(width, bpp);
    int keepWidth = std::min(width, m_width);
    int keepHeight = std::min(height, m_height);
    int oldBpp = BitsPerPixel(m_format);
    const bool keep = m_handle && keepWidth > 0 && keepHeight > 0;

    // New area takes the brush colour of the canvas. True-colour pictures
    // (nearly all) are filled and copied in memory: the context, brush and
    // flush of a fill through the system cost more than the picture.
    const COLORREF fill = ColorToRGB(m_canvas ? m_canvas->Brush()->Color() : clWhite);
    const bool trueColour = (bpp == 24 || bpp == 32) && (!keep || oldBpp == 24 || oldBpp == 32);
    if (trueColour) {
        FillTrueColour(bits, stride, width, height, bpp, fill);
        if (keep)
            CopyKeptPixels(bits, stride, bpp, keepWidth, keepHeight);
        FreeImage();
        Adopt(fresh, bits, width, height, stride, format);
        return;
    }
    HDC target = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(target, fresh);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    ::FillRect(target, &all, brush);
    DeleteObject(brush);
    GdiFlush();

    if (keep) {
        if (oldBpp == bpp && bpp >= 8) {
            CopyKeptPixels(bits, stride, bpp, keepWidth, keepHeight);
        } else {
            HDC source = CreateCompatibleDC(nullptr);
            if (m_canvas)
                m_canvas->FreeContext();
            HGDIOBJ old = SelectObject(source, m_handle);
            BitBlt(target, 0, 0, keepWidth, keepHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
    }
    SelectObject(target, previous);
    DeleteDC(target);
    GdiFlush();

    FreeImage();
    Adopt(fresh, bits, width, height, stride, format);
}

void TBitmap::FillTrueColour(unsigned char* bits, int stride, int width, int height, int bpp, COLORREF colour)
{
    // As the system fills a true-colour picture: B, G, R, and alpha 0.
    const int pixelBytes = bpp / 8;
    std::vector<unsigned char> row(static_cast<size_t>(stride), 0);
    for (int x = 0; x < width; ++x) {
        row[x * pixelBytes + 0] = GetBValue(colour);
        row[x * pixelBytes + 1] = GetGValue(colour);
        row[x * pixelBytes + 2] = GetRValue(colour);
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(bits + static_cast<size_t>(y) * stride, row.data(), row.size());
}

void TBitmap::CopyRow(const unsigned char* from, int fromBpp, unsigned char* to, int toBpp, int width)
{
    if (fromBpp == toBpp) {
        // Same layout: byte copy, which keeps alpha bytes.
        std::memcpy(to, from, static_cast<size_t>(width) * toBpp / 8);
        return;
    }
    for (int x = 0; x < width; ++x) {
        to[x * toBpp / 8 + 0] = from[x * fromBpp / 8 + 0];
        to[x * toBpp / 8 + 1] = from[x * fromBpp / 8 + 1];
        to[x * toBpp / 8 + 2] = from[x * fromBpp / 8 + 2];
        if (toBpp == 32)
            to[x * 4 + 3] = 0;
    }
}

void TBitmap::CopyKeptPixels(unsigned char* bits, int stride, int bpp, int keepWidth, int keepHeight)
{
    const int oldBpp = BitsPerPixel(m_format);
    for (int y = 0; y < keepHeight; ++y)
        CopyRow(static_cast<unsigned char*>(ScanLine(y)), oldBpp, bits + static_cast<size_t>(y) * stride, bpp,
                keepWidth);
}

void TBitmap::Adopt(HBITMAP handle, unsigned char* bits, int width, int height, int stride, TPixelFormat format)
{
    m_handle = handle;
    m_bits = bits;
    m_width = width;
    m_height = height;
    m_stride = stride;
    m_topDown = true;
    m_format = format;
}

void TBitmap::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    Rebuild(width, height, m_format);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    Rebuild(m_width, m_height, format);
    Changed();
}

void TBitmap::EnsureDib()
{
    if (!m_handle || m_bits)
        return;
    // A device bitmap handed in through SetHandle: copy it into a DIB.
    HBITMAP device = m_handle;
    int width = m_width, height = m_height;
    unsigned char* bits = nullptr;
    HBITMAP fresh = CreateTopDownDib(width, height, 24, &bits);
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    if (m_canvas)
        m_canvas->FreeContext();
    HGDIOBJ oldSource = SelectObject(source, device);
    HGDIOBJ oldTarget = SelectObject(target, fresh);
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    GdiFlush();
    DeleteBitmapHandle(device);
    m_handle = fresh;
    m_bits = bits;
    m_stride = StrideOf(width, 24);
    m_topDown = true;
    m_format = pf24bit;
}

void* TBitmap::ScanLine(int y)
{
    if (!m_handle || y < 0 || y >= m_height)
        return nullptr;
    EnsureDib();
    GdiFlush();
    int row = m_topDown ? y : m_height - 1 - y;
    return m_bits + static_cast<size_t>(row) * m_stride;
}

void TBitmap::AdoptHandle(HBITMAP bitmap)
{
    FreeImage();
    if (!bitmap)
        return;
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits) {
        m_bits = static_cast<unsigned char*>(section.dsBm.bmBits);
        m_width = section.dsBm.bmWidth;
        m_height = section.dsBm.bmHeight;
        m_stride = section.dsBm.bmWidthBytes;
        m_topDown = section.dsBmih.biHeight < 0 || TopDownSections().count(bitmap) > 0;
        m_format = FormatOfBits(section.dsBm.bmBitsPixel);
    } else {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        m_width = info.bmWidth;
        m_height = info.bmHeight;
        m_format = pfDevice;
    }
    m_handle = bitmap;
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
    if (bitmap == m_handle)
        return;
    AdoptHandle(bitmap);
    Changed();
}

HBITMAP TBitmap::ReleaseHandle()
{
    if (m_canvas)
        m_canvas->FreeContext();
    HBITMAP handle = m_handle;
    m_handle = nullptr;
    FreeImage();
    return handle;
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == m_transparentMode)
        return;
    m_transparentMode = mode;
    if (mode == tmAuto)
        m_transparentColor = clDefault;
    Changed();
}

TColor TBitmap::TransparentColor()
{
    // A fixed mode without a colour yet still takes the automatic one.
    if (m_transparentMode == tmFixed && m_transparentColor != clDefault)
        return m_transparentColor;
    if (Empty())
        return clDefault;
    const unsigned char* pixel = static_cast<const unsigned char*>(ScanLine(m_height - 1));
    COLORREF rgb;
    if (m_format == pf24bit || m_format == pf32bit)
        rgb = RGB(pixel[2], pixel[1], pixel[0]);
    else
        rgb = Canvas()->Pixel(0, m_height - 1);
    return static_cast<TColor>(rgb) | kAutoTransparentFlag;
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == clDefault) {
        SetTransparentMode(tmAuto);
        return;
    }
    if (m_transparentMode == tmFixed && color == m_transparentColor)
        return;
    m_transparentColor = color;
    m_transparentMode = tmFixed;
    Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    if (!source) {
        FreeImage();
        Changed();
        return;
    }
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this)
        return;
    CopyImage(other, other->CopiedFormat());
}

void TBitmap::AssignAs(TBitmap* source, TPixelFormat format)
{
    if (!source || source == this) {
        Assign(source);
        SetPixelFormat(format);
        return;
    }
    const TPixelFormat from = source->CopiedFormat();
    const auto trueColour = [](TPixelFormat f) { return f == pf24bit || f == pf32bit; };
    if (!trueColour(from) || !trueColour(format)) {
        Assign(source);
        SetPixelFormat(format);
        return;
    }
    CopyImage(source, format);
}

void TBitmap::CopyImage(TBitmap* other, TPixelFormat format)
{
    ++m_changeLock;
    const TPixelFormat from = other->CopiedFormat();
    // A true-colour picture of the same size and format keeps its buffer:
    // every row is overwritten below.
    const bool reuse = !other->Empty() && m_bits && m_topDown && format == m_format &&
                       (format == pf24bit || format == pf32bit) && other->m_width == m_width &&
                       other->m_height == m_height;
    if (!reuse)
        FreeImage();
    m_format = format;
    if (!other->Empty()) {
        other->EnsureDib();
        if (!reuse)
            Rebuild(other->m_width, other->m_height, m_format);
        if (from == format) {
            int rowBytes = std::min(m_stride, other->m_stride);
            for (int y = 0; y < m_height; ++y)
                std::memcpy(ScanLine(y), other->ScanLine(y), rowBytes);
        } else {
            // 24 into 32 bits or back, as SetPixelFormat converts.
            for (int y = 0; y < m_height; ++y)
                CopyRow(static_cast<unsigned char*>(other->ScanLine(y)), BitsPerPixel(from),
                        static_cast<unsigned char*>(ScanLine(y)), BitsPerPixel(format), m_width);
        }
        if (m_format <= pf8bit && m_format != pfDevice) {
            // Indexed images: take the other palette with the pixels.
            RGBQUAD colors[256];
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, other->m_handle);
            UINT count = GetDIBColorTable(dc, 0, 256, colors);
            SelectObject(dc, m_handle);
            SetDIBColorTable(dc, 0, count, colors);
            SelectObject(dc, old);
            DeleteDC(dc);
        }
    }
    m_transparentMode = other->m_transparentMode;
    m_transparentColor = other->m_transparentColor;
    SetTransparent(other->Transparent());
    --m_changeLock;
    Changed();
}

void TBitmap::TakeImage(TBitmap* source)
{
    if (!source || source == this)
        return;
    ++m_changeLock;
    FreeImage();
    if (source->m_canvas)
        source->m_canvas->FreeContext();
    Adopt(source->m_handle, source->m_bits, source->m_width, source->m_height, source->m_stride, source->m_format);
    m_topDown = source->m_topDown;
    source->m_handle = nullptr;
    source->FreeImage();
    m_transparentMode = source->m_transparentMode;
    m_transparentColor = source->m_transparentColor;
    SetTransparent(source->Transparent());
    --m_changeLock;
    Changed();
    source->Changed();
}

void TBitmap::ExchangeImage(TBitmap* other)
{
    if (!other || other == this)
        return;
    for (TBitmap* side : {this, other})
        if (side->m_canvas)
            side->m_canvas->FreeContext();
    std::swap(m_handle, other->m_handle);
    std::swap(m_bits, other->m_bits);
    std::swap(m_width, other->m_width);
    std::swap(m_height, other->m_height);
    std::swap(m_stride, other->m_stride);
    std::swap(m_topDown, other->m_topDown);
    std::swap(m_format, other->m_format);
    std::swap(m_transparentMode, other->m_transparentMode);
    std::swap(m_transparentColor, other->m_transparentColor);
    const bool transparent = Transparent();
    ++m_changeLock;
    ++other->m_changeLock;
    SetTransparent(other->Transparent());
    other->SetTransparent(transparent);
    --m_changeLock;
    --other->m_changeLock;
    Changed();
    other->Changed();
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    // Opening first gives the file-open error for a missing file.
    TMemoryStream contents;
    contents.LoadFromFile(fileName);
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!loaded)
        throw EInvalidGraphic("Bitmap image is not valid");
    ++m_changeLock;
    AdoptHandle(loaded);
    if (!m_topDown) {
        // Keep every bitmap top-down, as ScanLine documents for its users.
        TPixelFormat format = m_format;
        TBitmap copy;
        copy.Assign(this);
        AdoptHandle(copy.ReleaseHandle());
        m_format = format;
    }
    --m_changeLock;
    Changed();
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    EnsureDib();
    int bpp = BitsPerPixel(m_format);
    int colors = bpp <= 8 ? (1 << bpp) : 0;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = m_width;
    header.biHeight = m_height;  // bottom-up, as every reader expects
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bpp);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(m_stride * m_height);
    std::vector<RGBQUAD> palette(colors);
    if (colors && m_handle) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, m_handle);
        GetDIBColorTable(dc, 0, colors, palette.data());
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header + colors * sizeof(RGBQUAD);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    TFileStream stream(fileName, fmCreate);
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&header, sizeof header);
    if (colors)
        stream.WriteBuffer(palette.data(), colors * sizeof(RGBQUAD));
    for (int y = m_height - 1; y >= 0; --y)
        stream.WriteBuffer(ScanLine(y), m_stride);
}

void TBitmap::Draw(TCanvas* canvas, const RECT& rect)
{
    HDC target = canvas->Handle();
    if (!target || Empty())
        return;
    HDC source = Canvas()->Handle();
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (Transparent()) {
        UINT key = static_cast<UINT>(TransparentColor()) & 0xFFFFFF;
        TransparentBlt(target, rect.left, rect.top, width, height, source, 0, 0, m_width, m_height, key);
    } else if (width == m_width && height == m_height) {
        BitBlt(target, rect.left, rect.top, width, height, source, 0, 0, canvas->CopyMode());
    } else {
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, rect.left, rect.top, width, height, source, 0, 0, m_width, m_height, canvas->CopyMode());
    }
}
