#include "app/controller/StartupGuard.h"

#include "app/forms/AdvTrayIcon.h"
#include "app/forms/MainForm.h"
#include "app/forms/MessageForm.h"
#include "vessa/skin/PngReader.h"
#include "app/forms/ShadowForm.h"
#include "platform/vcl/Application.h"

StartupGuard::StartupGuard() : m_previous(Application->OnException)
{
    ForgetUnreadableFiles();
    Application->OnException = TExceptionEvent(this, &StartupGuard::OnException);
}

StartupGuard::~StartupGuard()
{
    Application->OnException = m_previous;
}

void StartupGuard::OnException(TObject*, const char* message)
{
    Fail(message != nullptr ? message : "");
}

void StartupGuard::Fail(const std::string& message)
{
    if (m_failure.empty())
        m_failure = message.empty() ? "Start-up failed" : message;
}

std::string StartupGuard::Failure() const
{
    return m_failure.empty() ? FirstUnreadableFile() : m_failure;
}

void StartupGuard::Abandon()
{
    const std::string failure = Failure();
    if (vessa::TrayIcon* icon = AdvTrayIcon::Instance().Icon())
        icon->SetVisible(false);
    Application->OnMessage = TMessageEvent();
    while (Application->ComponentCount() > 0)
        delete Application->Components(Application->ComponentCount() - 1);
    MainForm = nullptr;
    ShadowForm = nullptr;
    MessageForm = nullptr;
    Application->OnException = m_previous;
    Application->ShowException(failure.c_str());
}
