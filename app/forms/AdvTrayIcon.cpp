#include "app/forms/AdvTrayIcon.h"

#include <utility>

#include "vessa/skin/ResourceFiles.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/SysUtils.h"

AdvTrayIcon& AdvTrayIcon::Instance()
{
    static AdvTrayIcon* instance = new AdvTrayIcon();
    return *instance;
}

std::string AdvTrayIcon::DefaultIconFile()
{
    return GetResourceFolder() + kTrayIconFile;
}

AdvTrayIcon::AdvTrayIcon(std::string iconFile, vessa::ShellNotifyFunction notify)
    : m_iconFile(std::move(iconFile)), m_notify(notify)
{
}

void AdvTrayIcon::Create(TCustomForm* owner, UINT callbackMessage)
{
    if (owner == nullptr)
        return;
    m_icon.reset();  // a previous icon leaves the tray first
    m_icon = std::make_unique<vessa::TrayIcon>(owner->Handle(), kTrayIconId, callbackMessage, nullptr, m_notify);
    m_icon->SetTip(kTrayIconTip);
    m_icon->SetTimeout(kTrayBalloonTimeout);
    LoadIcon();
    m_owner = owner;
    m_icon->SetVisible(true);
}

void AdvTrayIcon::Show()
{
    if (m_icon)
        m_icon->Reshow();
}

void AdvTrayIcon::LoadIcon()
{
    if (!m_icon)
        return;
    TIcon icon;
    try {
        icon.LoadFromFile(m_iconFile);
    } catch (const EInvalidGraphic& error) {
        throw EInvalidGraphic("Cannot read \"" + m_iconFile + "\": " + error.Message());
    }
    HICON previous = m_icon->SetIcon(icon.ReleaseHandle());
    if (previous != nullptr)
        DestroyIcon(previous);
}

void AdvTrayIcon::HandleMessage(const TMessage& message)
{
    switch (message.LParam) {
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(m_owner);
        break;
    case WM_RBUTTONUP:
        OnRightButtonUp(m_owner);
        break;
    default:
        break;
    }
}

UINT TaskbarCreatedMessage()
{
    return RegisterWindowMessageA("TaskbarCreated");
}
