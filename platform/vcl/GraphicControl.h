#pragma once
// Controls that paint themselves on a canvas: the windowless TGraphicControl
// (painted by its parent in z-order; its canvas also works outside WM_PAINT
// over the parent's window) and the windowed TCustomControl.

#include <windows.h>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/WinControl.h"

// A canvas over a control's area. Outside painting it takes a window DC on
// first use (the parent's, offset and clipped, for a windowless control) and
// gives it back when the message loop goes idle or the control moves.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : m_control(control) {}
    ~TControlCanvas() override;
    void FreeContext();
    // Gives back every context taken outside painting.
    static void FreeAllContexts();

protected:
    void CreateHandle() override;

private:
    TControl* m_control;
    HWND m_window = nullptr;
    HDC m_windowDc = nullptr;
    // The canvases holding a context, linked through themselves: the list
    // needs no storage that static destruction could take away.
    static TControlCanvas* s_firstHolding;
    TControlCanvas* m_previousHolding = nullptr;
    TControlCanvas* m_nextHolding = nullptr;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return &m_canvas; }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void ApplyBounds() override;
    TControlCanvas* ControlCanvas() { return &m_canvas; }

private:
    TControlCanvas m_canvas;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return &m_canvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void ReleaseHandle() override;

private:
    TControlCanvas m_canvas;
};
