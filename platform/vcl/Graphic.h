#pragma once
// The base of pictures that can draw themselves on a canvas (bitmap, icon).

#include <windows.h>

#include <string>

#include "platform/vcl/Classes.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual void LoadFromFile(const std::string& fileName) = 0;
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool transparent);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
    virtual void Changed() { OnChange(this); }

private:
    bool m_transparent = false;
};
