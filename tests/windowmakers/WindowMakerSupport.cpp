#include "WindowMakerSupport.h"

#include "TestPaths.h"
#include "vessa/System/ProcAddress.h"

namespace wmtest {

RecordingUser32& RecordingUser32::Instance()
{
    static RecordingUser32 instance;
    return instance;
}

RecordingUser32::RecordingUser32()
{
    m_module = LoadLibraryA(zxtest::JoinPath(zxtest::TestDir(), "recording_user32.dll").c_str());
    m_calls = vessa::GetProcAddressAs<RecordedCallsFunction>(m_module, "RecordedCalls");
    m_reset = vessa::GetProcAddressAs<ResetRecordedCallsFunction>(m_module, "ResetRecordedCalls");
}

HMODULE ModuleWithoutLayeredFunctions()
{
    return GetModuleHandleA("kernel32.dll");
}

std::unique_ptr<TBitmap> Picture(int width, int height, TPixelFormat format, TColor color, TColor corner)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    bitmap->Canvas()->SetPixel(0, height - 1, corner);
    return bitmap;
}

ShapedFormFixture::ShapedFormFixture(TBitmap* picture)
{
    form = new TForm(nullptr);
    form->SetName("ShapedForm");
    form->SetBorderStyle(bsNone);
    form->SetScaled(false);
    form->SetBounds(100, 100, 300, 300);
    image = new TImage(form);
    image->SetParent(form);
    image->Picture()->SetBitmap(picture);
}

ShapedFormFixture::~ShapedFormFixture()
{
    delete form;
}

LONG_PTR ExStyle(HWND window)
{
    return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

}  // namespace wmtest
