// Ends a running Zendrix as other programs do: the signature quit posted to
// its main window. Exit 0 once posted, 1 when no main window exists.

#include <windows.h>

#include "app/protocol/ZendrixMessages.h"

int main()
{
    HWND main = FindWindowA(kMainWindowClass, kProgramName);
    return main != nullptr && PostMessageA(main, kMsgQuit, kMessageSignature, 0) ? 0 : 1;
}
