#include "platform/vcl/Icon.h"

#include "platform/vcl/Canvas.h"
#include "platform/vcl/Streams.h"

TIcon::~TIcon()
{
    if (m_handle)
        DestroyIcon(m_handle);
}

void TIcon::ReadSize()
{
    ICONINFO info{};
    if (m_handle && GetIconInfo(m_handle, &info)) {
        BITMAP bitmap{};
        GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
        m_width = bitmap.bmWidth;
        m_height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

void TIcon::SetHandle(HICON icon)
{
    if (icon == m_handle)
        return;
    if (m_handle)
        DestroyIcon(m_handle);
    m_handle = icon;
    ReadSize();
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    HICON handle = m_handle;
    m_handle = nullptr;
    return handle;
}

void TIcon::LoadFromFile(const std::string& fileName)
{
    {
        TFileStream probe(fileName, fmOpenRead | fmShareDenyNone);
    }
    HICON icon =
        static_cast<HICON>(LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, m_width, m_height, LR_LOADFROMFILE));
    if (!icon)
        throw EInvalidGraphic("Icon image is not valid");
    SetHandle(icon);
}

void TIcon::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TIcon*>(source)) {
        if (other != this)
            SetHandle(other->m_handle ? CopyIcon(other->m_handle) : nullptr);
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect)
{
    if (m_handle && canvas->Handle())
        DrawIconEx(canvas->Handle(), rect.left, rect.top, m_handle, rect.right - rect.left, rect.bottom - rect.top, 0,
                   nullptr, DI_NORMAL);
}
