#include "platform/vcl/Picture.h"

#include <algorithm>
#include <cctype>

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic)
{
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (!graphic) {
        Adopt(nullptr);
        return;
    }
    // A bitmap shown again and again (a digit, a slider's track) goes into
    // the bitmap held already: one of the same size and format keeps its
    // buffer instead of a new one being made and the old freed each time.
    auto* held = dynamic_cast<TBitmap*>(m_graphic.get());
    if (held && held != graphic && dynamic_cast<TBitmap*>(graphic)) {
        held->Assign(graphic);
        return;
    }
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TBitmap*>(graphic))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<TIcon*>(graphic))
        copy = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic("Unsupported graphic class " + graphic->ClassName());
    copy->Assign(graphic);
    Adopt(std::move(copy));
}

void TPicture::TakeBitmap(TBitmap* bitmap)
{
    if (!bitmap)
        return;
    if (auto* held = dynamic_cast<TBitmap*>(m_graphic.get())) {
        held->TakeImage(bitmap);
        return;
    }
    auto fresh = std::make_unique<TBitmap>();
    fresh->TakeImage(bitmap);
    Adopt(std::move(fresh));
}

void TPicture::ExchangeBitmap(TBitmap* bitmap)
{
    if (auto* held = dynamic_cast<TBitmap*>(m_graphic.get()))
        held->ExchangeImage(bitmap);
    else
        TakeBitmap(bitmap);
}

TBitmap* TPicture::Bitmap()
{
    auto* bitmap = dynamic_cast<TBitmap*>(m_graphic.get());
    if (!bitmap) {
        auto fresh = std::make_unique<TBitmap>();
        bitmap = fresh.get();
        Adopt(std::move(fresh));
    }
    return bitmap;
}

TIcon* TPicture::Icon()
{
    auto* icon = dynamic_cast<TIcon*>(m_graphic.get());
    if (!icon) {
        auto fresh = std::make_unique<TIcon>();
        icon = fresh.get();
        Adopt(std::move(fresh));
    }
    return icon;
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::string extension;
    size_t dot = fileName.find_last_of('.');
    if (dot != std::string::npos)
        extension = fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::unique_ptr<TGraphic> graphic;
    if (extension == "bmp")
        graphic = std::make_unique<TBitmap>();
    else if (extension == "ico")
        graphic = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    graphic->LoadFromFile(fileName);
    Adopt(std::move(graphic));
}

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}
