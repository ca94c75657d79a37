#pragma once
// Shared pieces of the window-maker tests: the recording stand-in of the
// layered-window entry points, pictures, and a borderless form with an image.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingUser32.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"

namespace wmtest {

constexpr TColor kMagenta = 0xFF00FF;

// The recording stand-in, loaded once; Reset before each use.
class RecordingUser32 {
public:
    static RecordingUser32& Instance();
    HMODULE Module() const { return m_module; }
    const RecordedLayeredCalls& Calls() const { return *m_calls(); }
    void Reset() const { m_reset(); }

private:
    RecordingUser32();
    HMODULE m_module = nullptr;
    RecordedCallsFunction m_calls = nullptr;
    ResetRecordedCallsFunction m_reset = nullptr;
};

// A module that has neither layered-window entry point.
HMODULE ModuleWithoutLayeredFunctions();

// width × height of `color`, with the bottom-left pixel `corner`.
std::unique_ptr<TBitmap> Picture(int width, int height, TPixelFormat format, TColor color, TColor corner);

// A borderless, unscaled form at (100, 100) holding one image that shows `picture`.
struct ShapedFormFixture {
    explicit ShapedFormFixture(TBitmap* picture);
    ~ShapedFormFixture();
    TForm* form;
    TImage* image;
};

LONG_PTR ExStyle(HWND window);

}  // namespace wmtest
