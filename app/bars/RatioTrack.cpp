#include "app/bars/RatioTrack.h"

#include <cstring>

#include "KyPackage/Source/KyImage.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"
#include "vessa/widget/layout/Source/BitmapBlend.h"

namespace {

constexpr const char* kNumeralFiles[] = {"I.png", "II.png", "III.png", "IV.png", "V.png", "VI.png"};
constexpr int kNumeralCount = static_cast<int>(sizeof kNumeralFiles / sizeof kNumeralFiles[0]);
constexpr int kSmallNumeralRise = 38;

bool IsEmpty(TBitmap* bitmap)
{
    return bitmap->Width() <= 0 || bitmap->Height() <= 0;
}

// Blends the whole of `picture` onto `target` at (x, y), clipped to it.
void DrawOver(TBitmap* target, TBitmap* picture, int x, int y)
{
    if (IsEmpty(picture) || picture->PixelFormat() != pf32bit)
        return;
    RECT source{0, 0, picture->Width(), picture->Height()};
    // The source must hold the clipped area: the left and top are clipped here.
    if (x < 0) {
        source.left = -x;
        x = 0;
    }
    if (y < 0) {
        source.top = -y;
        y = 0;
    }
    if (source.left >= source.right || source.top >= source.bottom)
        return;
    vessa::AlphaBlendBitmapRect(picture, source, target, POINT{x, y}, 255);
}

// `piece` stretched (rows repeated or dropped) to `height` rows, alpha kept.
void StretchRows(TBitmap* piece, int height, TBitmap* stretched)
{
    stretched->SetPixelFormat(pf32bit);
    stretched->SetSize(piece->Width(), height);
    const size_t rowBytes = static_cast<size_t>(piece->Width()) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(stretched->ScanLine(y), piece->ScanLine(y * piece->Height() / height), rowBytes);
}

}  // namespace

std::string CoreNumeralFile(int core)
{
    return kNumeralFiles[core >= 0 && core < kNumeralCount ? core : kNumeralCount - 1];
}

TImage* RatioTrack::Create(TWinControl* owner, int left, int top, const std::string& folder, const char* background)
{
    m_track = new TImage(owner);
    m_track->SetVisible(false);
    m_track->SetParent(owner);
    m_track->SetControlStyle(m_track->ControlStyle() | csOpaque);
    m_track->SetAutoSize(true);
    m_track->SetLeft(left);
    m_track->SetTop(top);
    LoadSkinOverCore((folder + background).c_str(), m_background.get(), left, top);
    LoadSegments(folder, "light", m_light);
    LoadSegments(folder, "yellow", m_yellow);
    return m_track;
}

void RatioTrack::LoadSegments(const std::string& folder, const char* colour, Segments& segments)
{
    const std::string base = folder + colour;
    ReadSkinFile(base + "_down.png", segments.bottom.get());
    ReadSkinFile(base + "_medium.png", segments.middle.get());
    ReadSkinFile(base + "_top.png", segments.top.get());
}

void RatioTrack::Paint(int offset, bool yellow, Column column)
{
    TBitmap& picture = *m_spare;
    vessa::CopyAsBgra(m_background.get(), &picture);
    const Segments& segments = yellow ? m_yellow : m_light;
    DrawOver(&picture, segments.bottom.get(), column.x, column.baseLine);
    if (offset > 0 && !IsEmpty(segments.middle.get()) && segments.middle->PixelFormat() == pf32bit) {
        TBitmap stretched;
        StretchRows(segments.middle.get(), offset, &stretched);
        DrawOver(&picture, &stretched, column.x, column.baseLine - offset);
    }
    DrawOver(&picture, segments.top.get(), column.x, column.baseLine - offset - segments.top->Height());
    m_track->Picture()->ExchangeBitmap(&picture);
}

void RatioTrack::PaintBare()
{
    m_track->Picture()->SetBitmap(m_background.get());
}

KyImage* RatioTrack::CreateSmallNumeral(int core) const
{
    const int left = m_track->Left();
    const int top = m_track->Top();
    KyImage* numeral = CreateKyImage(m_track->Parent(), left, top, ("Rome_number\\" + CoreNumeralFile(core)).c_str());
    numeral->SetLeft(left + (m_background->Width() - numeral->Width()) / 2);
    numeral->SetTop(m_background->Height() + top - kSmallNumeralRise);
    return numeral;
}
