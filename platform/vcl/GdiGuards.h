#pragma once
// Move-only owners of the GDI state a paint takes: the paint session
// (BeginPaint/EndPaint), a memory context, a created object, an object
// selected into a context, a saved context state, a window context and the
// context that measures text.
// Each keeps every handle it needs and gives back in its destructor, so a
// paint handler that throws leaves nothing selected, borrowed or allocated.

#include <windows.h>

#include <utility>

// Holds a value that a destructor gives back; a moved-from guard gives
// back nothing. Guards move by construction only, never by assignment.
template <class T>
class TMovedFrom {
public:
    TMovedFrom() = default;
    explicit TMovedFrom(T value) : m_value(value) {}
    TMovedFrom(TMovedFrom&& other) noexcept : m_value(std::exchange(other.m_value, T{})) {}
    TMovedFrom(const TMovedFrom&) = delete;
    TMovedFrom& operator=(const TMovedFrom&) = delete;
    T Get() const { return m_value; }

private:
    T m_value{};
};

// BeginPaint ... EndPaint on a window.
class TPaintSession {
public:
    explicit TPaintSession(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~TPaintSession()
    {
        if (m_window.Get())
            EndPaint(m_window.Get(), &m_paint);
    }
    TPaintSession(TPaintSession&&) noexcept = default;

    HDC Dc() const { return m_dc; }
    const RECT& Area() const { return m_paint.rcPaint; }

private:
    TMovedFrom<HWND> m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// A memory context compatible with `reference` (the screen when null).
class TMemoryDC {
public:
    explicit TMemoryDC(HDC reference) : m_dc(CreateCompatibleDC(reference)) {}
    ~TMemoryDC()
    {
        if (m_dc.Get())
            DeleteDC(m_dc.Get());
    }
    TMemoryDC(TMemoryDC&&) noexcept = default;
    HDC Get() const { return m_dc.Get(); }

private:
    TMovedFrom<HDC> m_dc;
};

// A pen, brush, font or bitmap this code created; deleted at the end.
// It must be deselected by then: declare it before its TSelection.
class TGdiObject {
public:
    explicit TGdiObject(HGDIOBJ object) : m_object(object) {}
    ~TGdiObject()
    {
        if (m_object.Get())
            DeleteObject(m_object.Get());
    }
    TGdiObject(TGdiObject&&) noexcept = default;
    HGDIOBJ Get() const { return m_object.Get(); }

private:
    TMovedFrom<HGDIOBJ> m_object;
};

// Selects `object` into `dc` and selects the previous one back at the end.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~TSelection()
    {
        if (m_dc.Get() && m_previous)
            SelectObject(m_dc.Get(), m_previous);
    }
    TSelection(TSelection&&) noexcept = default;

private:
    TMovedFrom<HDC> m_dc;
    HGDIOBJ m_previous;
};

// SaveDC ... RestoreDC: origin, clipping and selections come back.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (m_dc.Get() && m_saved)
            RestoreDC(m_dc.Get(), m_saved);
    }
    TSavedDC(TSavedDC&&) noexcept = default;

private:
    TMovedFrom<HDC> m_dc;
    int m_saved;
};

// GetDC ... ReleaseDC (the screen when `window` is null).
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~TWindowDC()
    {
        if (m_dc.Get())
            ReleaseDC(m_window, m_dc.Get());
    }
    TWindowDC(TWindowDC&&) noexcept = default;
    HDC Get() const { return m_dc.Get(); }

private:
    HWND m_window;
    TMovedFrom<HDC> m_dc;
};

// The context that measures text and asks the screen's format: a memory
// context compatible with the screen, made once for the module and kept.
// It gives the same text metrics as the screen's own context, whose every
// GetDC(nullptr) costs a round trip to the window system. Each use saves and
// restores its state, so nothing a measurement selects stays selected.
class TMeasuringDC {
public:
    TMeasuringDC() : m_saved(SaveDC(Shared())) {}
    ~TMeasuringDC()
    {
        if (m_saved.Get())
            RestoreDC(Shared(), m_saved.Get());
    }
    TMeasuringDC(TMeasuringDC&&) noexcept = default;
    HDC Get() const { return Shared(); }

private:
    static HDC Shared()
    {
        static const HDC context = CreateCompatibleDC(nullptr);
        return context;
    }
    TMovedFrom<int> m_saved;  // the saved state's number; 0 when moved from
};
