#include "platform/vcl/WindowClass.h"

#include <map>

#include "platform/vcl/Application.h"
#include "platform/vcl/SysUtils.h"
#include "platform/vcl/WinControl.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char* const kUtilityClass = "ZxUtilityWindow";

// Every class registered here ends its class extra bytes with two slots: the
// default procedure of its windows, then a mark that tells the windows of
// either module's copy of the library from all others. They are written with
// the first window of the class, before any message reaches the default.
constexpr int kDefaultProcSlot = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr int kMarkSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr int kClassSlotBytes = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr LONG_PTR kLibraryClassMark = 0x5A78436C;

// Offset of `slot` (counted back from the end) in the window's class bytes, or -1.
int ClassSlotOffset(HWND window, int slot)
{
    int extra = static_cast<int>(GetClassLongA(window, GCL_CBCLSEXTRA));
    return extra >= kClassSlotBytes ? extra - slot : -1;
}

bool IsLibraryWindow(HWND window)
{
    int mark = ClassSlotOffset(window, kMarkSlot);
    return mark >= 0 && GetClassLongPtrA(window, mark) == kLibraryClassMark;
}

void MarkLibraryClass(HWND window, WNDPROC defaultProc)
{
    if (IsLibraryWindow(window))
        return;
    int proc = ClassSlotOffset(window, kDefaultProcSlot);
    if (proc < 0)
        return;
    SetClassLongPtrA(window, proc, reinterpret_cast<LONG_PTR>(defaultProc));
    SetClassLongPtrA(window, ClassSlotOffset(window, kMarkSlot), kLibraryClassMark);
}

WNDPROC DefaultProcOf(HWND window)
{
    if (!IsLibraryWindow(window))
        return DefWindowProcA;
    auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, ClassSlotOffset(window, kDefaultProcSlot)));
    return proc ? proc : DefWindowProcA;
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
    static std::map<std::string, WNDPROC> byName;  // read only while windows are made
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
    windowClass.cbClsExtra += kClassSlotBytes;
    windowClass.lpfnWndProc = StdWndProc;
    windowClass.hInstance = LibraryInstance();
    windowClass.lpszClassName = params.WinClassName.c_str();
    ATOM atom = RegisterClassA(&windowClass);
    if (!atom)
        throw EOutOfResources("Cannot register window class " + params.WinClassName + ": " +
                              SysErrorMessage(GetLastError()));
    byName[params.WinClassName] = defaultProc;
    return defaultProc;
}

void HandleCaughtException(const char* what)
{
    if (Application)
        Application->ShowException(what);
}

void LinkWindow(HWND window, TWinControl* control, WNDPROC defaultProc)
{
    MarkLibraryClass(window, defaultProc);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

void UnlinkWindow(HWND window)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

TWinControl* ControlOfWindow(HWND window)
{
    if (!window || !IsLibraryWindow(window))
        return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only the library's classes come here: the user data is the control.
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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
    if (msg == WM_NCDESTROY && GetWindowLongPtrA(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(control))
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
