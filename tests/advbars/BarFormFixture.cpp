#include "BarFormFixture.h"

#include "BitmapPixels.h"
#include "TestPaths.h"
#include "platform/vcl/Image.h"

namespace bartest {

void BarFormFixture::SetUp()
{
    TestBoard();
    KyFixture::SetUp();
    form->SetBounds(20, 20, 700, 260);
    auto* background = new TImage(form.get());
    background->SetParent(form.get());
    TBitmap* picture = background->Picture()->Bitmap();
    zxtest::Fill(*picture, pf32bit, 700, 260,
                 zxtest::Bgra{GetBValue(kFormBackground), GetGValue(kFormBackground), GetRValue(kFormBackground), 255});
    background->SetBounds(0, 0, 700, 260);
    barHost.form = form.get();
    host.form = form.get();
    host.background = background;
    host.middle = background;
    host.core = background;
    host.folder = zxtest::JoinPath(zxtest::DistDir(), "Resource") + "\\";
    SetSkinHost(&host);
}

void BarFormFixture::TearDown()
{
    // A bar frees its track, which the form would free too.
    m_bars.clear();
    SetSkinHost(nullptr);
    KyFixture::TearDown();
}

void BarFormFixture::Keep(AdvBar* bar)
{
    bar->SetOnChange(TNotifyEvent::FromFunction([this](TObject* argument) {
        EXPECT_EQ(nullptr, argument);
        ++changes;
    }));
    m_bars.emplace_back(bar);
}

void BarFormFixture::Send(UINT message, WPARAM keys, POINT point)
{
    SendMessageA(form->Handle(), message, keys, MAKELPARAM(point.x, point.y));
}

void BarFormFixture::MouseDown(POINT point)
{
    Send(WM_MOUSEMOVE, 0, point);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, point);
}

void BarFormFixture::MouseMove(POINT point, bool leftDown)
{
    Send(WM_MOUSEMOVE, leftDown ? MK_LBUTTON : 0, point);
}

void BarFormFixture::MouseUp(POINT point)
{
    Send(WM_LBUTTONUP, 0, point);
}

void BarFormFixture::ClickButton(TWinControl* button)
{
    Click(button, button->Width() / 2, button->Height() / 2);
}

}  // namespace bartest
