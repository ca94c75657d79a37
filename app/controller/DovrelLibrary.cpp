#include "app/controller/DovrelLibrary.h"

#include "vessa/System/ProcAddress.h"
#include "vessa/fileutl/Source/PathUtility.h"

DovrelLibrary::DovrelLibrary()
{
    const std::string path = vessa::GetProgramFolder() + kDovrelFileName;
    m_module = LoadLibraryA(path.c_str());
    if (m_module == nullptr) {
        m_problem = "The file \"" + path + "\" could not be loaded.";
        return;
    }
    m_create = Bind<CreateFunction>("DovrelCreate");
    m_showModal = Bind<ShowFunction>("DovrelShowModal");
    m_ask = Bind<AskFunction>("DovrelAskDialog");
    m_warn = Bind<AskFunction>("DovrelWarnDialog");
    m_askDanger = Bind<AskFunction>("DovrelAskDialogDanger");
    m_bound = m_problem.empty();
}

template <typename Function>
Function DovrelLibrary::Bind(const char* name)
{
    auto function = vessa::GetProcAddressAs<Function>(m_module, name);
    if (function == nullptr && m_problem.empty())
        m_problem =
            "The file \"" + vessa::GetProgramFolder() + kDovrelFileName + "\" has no entry point \"" + name + "\".";
    return function;
}

// Each call goes through only with the whole library bound: a half-bound
// library would show some dialogs and skip others.
void DovrelLibrary::Create(TApplication* application) const
{
    if (m_bound)
        m_create(application);
}

int DovrelLibrary::ShowModal() const
{
    return m_bound ? m_showModal() : kCancel;
}

int DovrelLibrary::AskDialog(const char* text, int left, int top) const
{
    return m_bound ? m_ask(text, left, top) : kCancel;
}

int DovrelLibrary::WarnDialog(const char* text, int left, int top) const
{
    return m_bound ? m_warn(text, left, top) : kCancel;
}

int DovrelLibrary::AskDialogDanger(const char* text, int left, int top) const
{
    return m_bound ? m_askDanger(text, left, top) : kCancel;
}
