#include "app/controls/NumberLed.h"

#include <cstdio>

#include "KyPackage/Source/KyImage.h"
#include "vessa/skin/ResourceFiles.h"
#include "platform/vcl/WinControl.h"

namespace {

// Each family's pictures: created by the family's first position, kept for
// the life of the process.
DigitBitmaps* g_largeBitmaps = nullptr;
DigitBitmaps* g_smallBitmaps = nullptr;
DigitBitmaps* g_greenBitmaps = nullptr;
DigitBitmaps* g_middleBitmaps = nullptr;

}  // namespace

NumberLed::~NumberLed()
{
    delete m_image;
}

std::string NumberLed::SkinFolder()
{
    return GetResourceFolder();
}

bool NumberLed::LoadSkinPicture(const std::string& path, TBitmap* bitmap)
{
    const bool read = LoadPngFile(path, bitmap, UnreadableFile::Report);
    if (!read)
        bitmap->SetSize(0, 0);
    return read;
}

void NumberLed::LoadFamily(DigitBitmaps*& bitmaps, int digitFiles, bool points) const
{
    if (bitmaps)
        return;
    std::string folder;
    GetFolder(folder);
    folder = SkinFolder() + folder;

    std::vector<std::string> names;
    for (int i = 0; i < digitFiles; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.png", i);
        names.push_back(name);
    }
    for (int i = 1; points && i <= 2; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Point%01d.png", i);
        names.push_back(name);
    }

    // Every entry exists, read or empty, so that a failed file is not
    // retried by each later position and the table always has its size.
    auto* loaded = new DigitBitmaps;
    for (const std::string& name : names) {
        loaded->push_back(std::make_unique<TBitmap>());
        LoadSkinPicture(folder + name, loaded->back().get());
    }
    bitmaps = loaded;
}

void NumberLed::Create(TWinControl* owner)
{
    LoadBitmaps();
    m_image = new KyImage(owner);
    m_image->SetParent(owner);
    m_image->Picture()->Bitmap()->SetPixelFormat(pf32bit);
    m_image->SetAutoSize(true);
    m_image->SetControlStyle(m_image->ControlStyle() | csOpaque);
    m_image->SetAlphaChannel(true);
    SetDigit(0);
}

int NumberLed::EntryCount() const
{
    DigitBitmaps* bitmaps = GetBitmaps();
    return bitmaps ? static_cast<int>(bitmaps->size()) : 0;
}

bool NumberLed::SetDigit(int index)
{
    if (!m_image)
        return false;
    DigitBitmaps* bitmaps = GetBitmaps();
    TBitmap empty;
    empty.SetPixelFormat(pf32bit);
    const bool known = bitmaps && index >= 0 && index < static_cast<int>(bitmaps->size());
    TBitmap* shown = known ? (*bitmaps)[static_cast<size_t>(index)].get() : &empty;
    m_digit = known ? index : -1;
    m_image->Picture()->SetBitmap(shown);
    m_image->SetBounds(m_image->Left(), m_image->Top(), shown->Width(), shown->Height());
    return known;
}

int NumberLed::Left() const
{
    return m_image ? m_image->Left() : 0;
}

int NumberLed::Top() const
{
    return m_image ? m_image->Top() : 0;
}

int NumberLed::Width() const
{
    return m_image ? m_image->Width() : 0;
}

void NumberLed::SetLeft(int left)
{
    if (m_image)
        m_image->SetLeft(left);
}

void NumberLed::SetTop(int top)
{
    if (m_image)
        m_image->SetTop(top);
}

void NumberLed::SetVisible(bool visible)
{
    if (m_image)
        m_image->SetVisible(visible);
}

// ---- The families ----

LargeNumberLed::LargeNumberLed() : DigitFamilyLed("Numbers\\", 20, true, g_largeBitmaps) {}

SmallNumberLed::SmallNumberLed() : DigitFamilyLed("Small_Numbers\\", 10, false, g_smallBitmaps) {}

GreenNumberLed::GreenNumberLed() : DigitFamilyLed("Green\\", 10, false, g_greenBitmaps) {}

MiddleNumberLed::MiddleNumberLed() : DigitFamilyLed("Middle_Numbers\\", 20, true, g_middleBitmaps) {}
