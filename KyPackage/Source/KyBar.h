#pragma once
// The skinned scroll bar: a brick is the track and an indicator image is
// dragged along it. The drag is relative: each mouse move adds what the
// pointer moved since the last step to the scroll position, which stays
// within 0 .. Length. OnScroll may change (snap) each new position;
// OnIndicate may move the image without changing the position.

#include "KyPackage/Source/KyBrick.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"

class KyBar;

// The centre of the indicator at scroll position 0, in bar coordinates.
class KyBarOrigin : public TPersistent {
public:
    explicit KyBarOrigin(KyBar* bar) : m_bar(bar) {}

    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetX(int x);
    void SetY(int y);

protected:
    // Both values at once, then one placement of the target's indicator.
    void AssignTo(TPersistent* destination) override;

private:
    KyBar* m_bar;
    int m_x = 0;
    int m_y = 0;
};

// (sender, new position, moved forward); the handler may change the position.
using TKyScrollEvent = TClosure<TObject*, int&, bool>;
// (sender, left or top of the indicator); the handler may change it.
using TKyIndicateEvent = TClosure<TObject*, int&>;

class KyBar : public KyBrick {
public:
    explicit KyBar(TComponent* owner);
    ~KyBar() override;

    // The indicator's picture bitmap.
    TBitmap* GetIndicator() { return m_indicator->Picture()->Bitmap(); }
    void SetIndicator(TBitmap* bitmap);
    TImage* IndicatorImage() const { return m_indicator; }
    // The largest scroll position; a negative length allows only 0.
    int Length() const { return m_length; }
    void SetLength(int length);
    int ScrollPos() const { return m_scrollPos; }
    // Kept within 0 .. Length.
    void SetScrollPos(int position);
    TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind kind);
    KyBarOrigin* Origin() { return &m_origin; }
    void SetOrigin(KyBarOrigin* origin) { m_origin.Assign(origin); }
    bool IsDraging() const { return m_dragging; }

    // Places the indicator at the origin plus the scroll position, along
    // the bar's kind.
    void LocateIndicator();

    void Repaint() override;
    void SetEnabled(bool enabled) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnStartScroll;
    TNotifyEvent OnEndScroll;
    TKyScrollEvent OnScroll;
    TKyIndicateEvent OnIndicate;

protected:
    virtual void StartScroll() { OnStartScroll(this); }
    virtual void Scroll(int& position, bool forward) { OnScroll(this, position, forward); }
    virtual void EndScroll() { OnEndScroll(this); }
    virtual void Indicate(int& coordinate) { OnIndicate(this, coordinate); }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // A press on the indicator is a press on the bar.
    void OnImgMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void OnImgMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void OnImgMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    int ClampPosition(int position) const;
    // Ends a drag in progress: EndScroll.
    void EndDrag();

    TImage* m_indicator;
    int m_length = 20;
    int m_scrollPos = 0;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    TScrollBarKind m_kind = sbHorizontal;
    KyBarOrigin m_origin;
};

// Registers KyBar on "KyComponents".
void RegisterKyBar();
