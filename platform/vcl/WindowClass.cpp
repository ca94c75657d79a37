#include "platform/vcl/WindowClass.h"

#include <map>

#include "platform/vcl/Application.h"
#include "platform/vcl/SysUtils.h"
#include "platform/vcl/WinControl.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

const char* const kControlProperty = "ZxControlObject";

namespace {

const char* const kUtilityClass = "ZxUtilityWindow";

// Default procedure of every class this module registered, by class atom.
std::map<ATOM, WNDPROC>& DefaultProcs()
{
    // Never freed: windows destroyed at exit still call their default procedure.
    static auto* procs = new std::map<ATOM, WNDPROC>();
    return *procs;
}

WNDPROC DefaultProcOf(HWND window)
{
    ATOM atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    auto found = DefaultProcs().find(atom);
    return found != DefaultProcs().end() ? found->second : DefWindowProcA;
}

}  // namespace

HINSTANCE LibraryInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// Set while CreateWindowEx runs: messages before WM_NCCREATE (WM_GETMINMAXINFO)
// attach the window to the object being created.
thread_local TWinControl* t_creatingControl = nullptr;

WNDPROC RegisterControlClass(const TCreateParams& params)
{
    // Registered before by this module: the default procedure is known.
    static std::map<std::string, WNDPROC> byName;
    auto known = byName.find(params.WinClassName);
    if (known != byName.end())
        return known->second;
    WNDCLASSA windowClass{};
    WNDPROC defaultProc = DefWindowProcA;
    if (!params.SubclassOf.empty()) {
        if (!GetClassInfoA(nullptr, params.SubclassOf.c_str(), &windowClass))
            throw EOutOfResources("Window class " + params.SubclassOf + " is not available");
        defaultProc = windowClass.lpfnWndProc;
    } else {
        windowClass.style = params.ClassStyle;
        windowClass.hCursor = params.ClassCursor ? params.ClassCursor : LoadCursorA(nullptr, IDC_ARROW);
    }
    windowClass.lpfnWndProc = StdWndProc;
    windowClass.hInstance = LibraryInstance();
    windowClass.lpszClassName = params.WinClassName.c_str();
    ATOM atom = RegisterClassA(&windowClass);
    if (!atom)
        throw EOutOfResources("Cannot register window class " + params.WinClassName + ": " +
                              SysErrorMessage(GetLastError()));
    DefaultProcs()[atom] = defaultProc;
    byName[params.WinClassName] = defaultProc;
    return defaultProc;
}

void HandleCaughtException(const char* what)
{
    if (Application)
        Application->ShowException(what);
}

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(GetPropA(window, kControlProperty));
    if (!control && t_creatingControl) {
        control = t_creatingControl;
        t_creatingControl = nullptr;
        control->AttachHandle(window);
    }
    if (!control)
        return CallWindowProcA(DefaultProcOf(window), window, msg, wParam, lParam);

    TMessage message{msg, wParam, lParam, 0};
    try {
        TWndMethod method = control->WindowProc;  // the handler may free the control
        method(message);
    } catch (const std::exception& error) {
        HandleCaughtException(error.what());
    } catch (...) {
        HandleCaughtException("Unknown exception");
    }
    if (msg == WM_NCDESTROY && GetPropA(window, kControlProperty) == control)
        control->DetachHandle();
    return message.Result;
}

namespace {

LRESULT CALLBACK UtilityWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Messages of the creation itself reach DefWindowProc: the owner learns
    // the handle only when CreateWindowEx returns.
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!method)
        return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        TWndMethod copy = *method;
        copy(message);
    } catch (const std::exception& error) {
        HandleCaughtException(error.what());
    } catch (...) {
        HandleCaughtException("Unknown exception");
    }
    return message.Result;
}

HWND CreateUtilityWindow(const TWndMethod& method, const std::string& className, const std::string& caption,
                         HWND parent)
{
    WNDCLASSA existing{};
    if (!GetClassInfoA(LibraryInstance(), className.c_str(), &existing)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = UtilityWndProc;
        windowClass.hInstance = LibraryInstance();
        windowClass.lpszClassName = className.c_str();
        RegisterClassA(&windowClass);
    }
    auto* stored = new TWndMethod(method);
    HWND window = CreateWindowExA(0, className.c_str(), caption.c_str(), WS_POPUP, 0, 0, 0, 0, parent, nullptr,
                                  LibraryInstance(), nullptr);
    if (!window) {
        delete stored;
        throw EOutOfResources("Cannot create window: " + SysErrorMessage(GetLastError()));
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(stored));
    return window;
}

}  // namespace

HWND AllocateHWnd(const TWndMethod& method)
{
    return CreateUtilityWindow(method, kUtilityClass, "", HWND_MESSAGE);
}

HWND AllocateTopLevelHWnd(const TWndMethod& method, const std::string& className, const std::string& caption)
{
    return CreateUtilityWindow(method, className, caption, nullptr);
}

void DeallocateHWnd(HWND window)
{
    if (!window)
        return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    delete method;
}
