#pragma once
// A figure that can be drawn at another size than the one its geometry was
// made at. SetSize scales from the original size; ResetOriginal makes the
// present geometry the new original.

#include "vessa/Graphics/Figure/Figure.h"

namespace vessa {

class ScalableFigure : public Figure {
public:
    virtual void SetSize(int width, int height) = 0;
    virtual void ResetOriginal() = 0;
    virtual int OriginalWidth() const = 0;
    virtual int OriginalHeight() const = 0;
};

}  // namespace vessa
