#pragma once
// One movie of "flashobj.dll" in a window of its own over a parent window,
// placed at an offset from the parent's top-left corner, with calls to the
// movie and a callback for the movie's call-outs.
//
// Without the library (or one of its entry points) a movie has no window and
// every operation does nothing.

#include <windows.h>

#include <string>

#include "platform/flashobj/FlashObjLibrary.h"

class TTransFlash {
public:
    // `name` tells the movies apart for a reader of the code; it is not kept.
    TTransFlash(HWND parent, const std::string& name, const std::wstring& moviePath);
    // The program keeps its movies for the process; one that goes leaves the
    // live list and takes its window with it.
    ~TTransFlash();
    TTransFlash(const TTransFlash&) = delete;
    TTransFlash& operator=(const TTransFlash&) = delete;

    void SetPosition(int dx, int dy);
    void SetSize(int width, int height);
    void FollowParent();
    void SetVisible(bool visible);
    bool IsVisible() const { return m_visible; }
    void SetCallback(FlashCallCallback callback);

    // Calls the movie's function `name` with one string argument.
    void Invoke(const std::wstring& name, const std::wstring& argument);
    void InvokeInt(const std::wstring& name, int value);

    HWND Handle() const { return m_movie; }

    // Every live movie follows its parent (after the parent moved).
    static void FollowAll();

    // The request text of one call, as the movie receives it.
    static std::wstring InvokeRequest(const std::wstring& name, const std::wstring& argument);

private:
    HWND m_movie = nullptr;
    HWND m_parent = nullptr;
    int m_dx = 0;
    int m_dy = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = false;
};
