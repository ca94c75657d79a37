#pragma once
// What passes between the program and "flashobj.dll", the library that hosts
// the monitor window's movies: the five entry points the program binds and
// the records they exchange.

#include <windows.h>

extern "C" {

// Called by the library when a movie calls out; `text` is the movie's
// zero-terminated UTF-16 text, the other arguments are not used.
typedef void(WINAPI* FlashCallCallback)(DWORD_PTR reserved1, DWORD_PTR reserved2, const wchar_t* text,
                                        DWORD_PTR reserved4);

// The argument block of "flash_callFunction": the request text in the third
// word, the others 0 (four 32-bit words in the 32-bit program).
struct FlashCallBlock {
    DWORD_PTR reserved1;
    DWORD_PTR reserved2;
    const wchar_t* request;
    DWORD_PTR reserved4;
};

typedef HWND(WINAPI* FlashCreateFunction)(HWND parent, const wchar_t* moviePath);
typedef int(WINAPI* FlashSetCallbackFunction)(HWND movie, FlashCallCallback callback);
typedef int(WINAPI* FlashCallFunction)(HWND movie, const FlashCallBlock* block);
typedef int(WINAPI* FlashPlayFunction)(HWND movie);
typedef int(WINAPI* FlashStopFunction)(HWND movie);

}  // extern "C"

static_assert(sizeof(void*) == 8 || sizeof(FlashCallBlock) == 16, "four 32-bit words in the 32-bit program");

constexpr const char kFlashObjLibraryName[] = "flashobj.dll";
constexpr const char kFlashCreateName[] = "flash_create";
constexpr const char kFlashSetCallbackName[] = "flash_setFlashCallCallbackFunc";
constexpr const char kFlashCallFunctionName[] = "flash_callFunction";
constexpr const char kFlashPlayName[] = "flash_play";
constexpr const char kFlashStopName[] = "flash_stop";
