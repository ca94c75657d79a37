// The form-level makers: what a form becomes when its image is attached
// (style, attributes, colour, size), the checks on the form, re-applying
// only on a real change, and dragging the form by its picture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageBoxCatcher.h"
#include "TestProcess.h"
#include "WindowMakerSupport.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"
#include "vessa/System/VessaAssert.h"

namespace {

using wmtest::ExStyle;
using wmtest::kMagenta;
using wmtest::ShapedFormFixture;

std::unique_ptr<TBitmap> FacePicture(TPixelFormat format = pf32bit)
{
    return wmtest::Picture(40, 30, format, clWhite, kMagenta);
}

ZX_TEST_CHILD(attach_twice)
{
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    qn::TLayeredFormMaker maker;
    maker.Attach(fixture.image);
    maker.Attach(fixture.image);
    return 0;
}

ZX_TEST_CHILD(attach_scaled_form)
{
    zxtest::MessageBoxCatcher boxes;
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    fixture.form->SetScaled(true);
    qn::TLayeredFormMaker maker;
    maker.Attach(fixture.image);
    return 0;
}

// Records the caption presses a form receives and swallows them, so no
// system move loop runs in the test.
struct CaptionPressRecorder {
    explicit CaptionPressRecorder(TWndMethod formProcedure) : previous(formProcedure) {}
    TWndMethod previous;
    std::vector<WPARAM> hits;
    void Hook(TMessage& message)
    {
        if (message.Msg == WM_NCLBUTTONDOWN) {
            hits.push_back(message.WParam);
            return;
        }
        previous(message);
    }
};

struct MouseDownLog {
    std::vector<TMouseButton> buttons;
    void MouseDown(TObject*, TMouseButton button, TShiftState, int, int) { buttons.push_back(button); }
};

}  // namespace

TEST(TLayeredFormMaker, AttachMakesTheFormColourKeyedByTheBottomLeftPixel)
{
    auto picture = FacePicture(pf24bit);
    ShapedFormFixture fixture(picture.get());
    qn::TLayeredFormMaker maker;
    ASSERT_NE(maker.WindowMaker(), nullptr);
    EXPECT_FALSE(maker.IsAttached());
    ASSERT_TRUE(maker.Attach(fixture.image));

    EXPECT_TRUE(maker.IsAttached());
    EXPECT_EQ(maker.GetForm(), fixture.form);
    EXPECT_EQ(maker.GetImage(), fixture.image);
    EXPECT_EQ(maker.GetColorKey(), kMagenta | kAutoTransparentFlag);
    EXPECT_EQ(fixture.form->Color(), kMagenta | kAutoTransparentFlag);
    EXPECT_EQ(fixture.image->Picture()->Bitmap()->PixelFormat(), pf32bit);
    EXPECT_NE(fixture.form->ControlStyle() & csOpaque, 0u);
    EXPECT_EQ(fixture.form->ClientWidth(), 40);
    EXPECT_EQ(fixture.form->ClientHeight(), 30);

    HWND window = fixture.form->Handle();
    EXPECT_EQ(ExStyle(window) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(key, static_cast<COLORREF>(kMagenta));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    maker.Detach(fixture.form);
    EXPECT_EQ(ExStyle(window) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(maker.IsAttached());  // Detach only takes the style away
}

TEST(TShapedFormMaker, AttachRefusesImagesWithoutAForm)
{
    auto picture = FacePicture();
    TImage loose(nullptr);
    loose.Picture()->SetBitmap(picture.get());
    qn::TLayeredFormMaker maker;
    EXPECT_FALSE(maker.Attach(nullptr));
    EXPECT_FALSE(maker.Attach(&loose));
    EXPECT_FALSE(maker.IsAttached());
}

TEST(TShapedFormMaker, FindsTheFormAboveNestedParents)
{
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    auto* panel = new TCustomControl(fixture.form);
    panel->SetParent(fixture.form);
    fixture.image->SetParent(panel);
    qn::TLayeredFormMaker maker;
    ASSERT_TRUE(maker.Attach(fixture.image));
    EXPECT_EQ(maker.GetForm(), fixture.form);
}

TEST(TShapedFormMaker, ABorderedFormIsReportedAndStillShaped)
{
    zxtest::MessageBoxCatcher boxes;
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    fixture.form->SetBorderStyle(bsSingle);
    qn::TLayeredFormMaker maker;
    EXPECT_TRUE(maker.Attach(fixture.image));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "BorderStyle is not set to bsNone");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ShapedForm");
    EXPECT_NE(ExStyle(fixture.form->Handle()) & WS_EX_LAYERED, 0);
}

TEST(TShapedFormMaker, ContractViolations)
{
    struct Case {
        const char* child;
        const char* report;
    };
    const Case cases[] = {
        {"attach_twice", "Assertion failed: !IsAttached(), file TShapedForm, line 403"},
        {"attach_scaled_form", "Assertion failed: m_form->Scaled == false, file TShapedForm, line 503"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.child);
        zxtest::ProcessResult result = zxtest::RunChild(c.child, {{"VESSA_ASSERT_SILENT", "1"}});
        EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
        EXPECT_NE(result.output.find(c.report), std::string::npos) << result.output;
    }
}

TEST(TShapedFormMaker, ChangesReapplyOnlyWhenTheValueChanges)
{
    wmtest::RecordingUser32& user32 = wmtest::RecordingUser32::Instance();
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    qn::TLayeredFormMaker maker(user32.Module());
    ASSERT_TRUE(maker.Attach(fixture.image));

    user32.Reset();
    maker.SetColorKey(maker.GetColorKey());
    maker.SetColorKeyEnabled(true);
    EXPECT_EQ(user32.Calls().setAttributesCalls, 0);

    maker.SetColorKey(clLime);
    EXPECT_EQ(user32.Calls().setAttributesCalls, 1);
    EXPECT_EQ(user32.Calls().attributesKey, static_cast<COLORREF>(clLime));
    EXPECT_EQ(fixture.form->Color(), clLime);

    maker.SetColorKeyEnabled(false);  // nothing left to do: the style goes
    EXPECT_EQ(user32.Calls().setAttributesCalls, 1);
    EXPECT_EQ(ExStyle(fixture.form->Handle()) & WS_EX_LAYERED, 0);
}

TEST(TShapedFormMaker, WithoutTheEntryPointsFormsStayPlain)
{
    auto picture = FacePicture();
    ShapedFormFixture keyed(picture.get());
    qn::TLayeredFormMaker keyedMaker(wmtest::ModuleWithoutLayeredFunctions());
    EXPECT_EQ(keyedMaker.WindowMaker(), nullptr);
    EXPECT_TRUE(keyedMaker.Attach(keyed.image));
    keyedMaker.SetColorKey(clLime);
    EXPECT_EQ(ExStyle(keyed.form->Handle()) & WS_EX_LAYERED, 0);

    ShapedFormFixture blended(picture.get());
    qn::TPerPixelLayeredFormMaker blendedMaker(wmtest::ModuleWithoutLayeredFunctions());
    EXPECT_TRUE(blendedMaker.Attach(blended.image));
    blendedMaker.SetPerPixelAlpha(true);
    EXPECT_EQ(ExStyle(blended.form->Handle()) & WS_EX_LAYERED, 0);
}

TEST(TPerPixelLayeredFormMaker, ColourKeyUntilPerPixelAlphaIsOn)
{
    wmtest::RecordingUser32& user32 = wmtest::RecordingUser32::Instance();
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    qn::TPerPixelLayeredFormMaker maker(user32.Module());
    user32.Reset();
    ASSERT_TRUE(maker.Attach(fixture.image));
    EXPECT_EQ(user32.Calls().updateCalls, 1);
    EXPECT_EQ(user32.Calls().updateFlags, static_cast<DWORD>(ULW_COLORKEY));
    EXPECT_EQ(user32.Calls().updateKey, static_cast<COLORREF>(kMagenta));
    EXPECT_EQ(user32.Calls().updateSize.cx, 40);
    EXPECT_EQ(fixture.form->Color(), kMagenta | kAutoTransparentFlag);

    maker.SetPerPixelAlpha(true);
    EXPECT_EQ(user32.Calls().updateCalls, 2);
    EXPECT_EQ(user32.Calls().updateFlags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(user32.Calls().updateBlend.AlphaFormat, AC_SRC_ALPHA);
    maker.SetPerPixelAlpha(true);
    EXPECT_EQ(user32.Calls().updateCalls, 2);
}

TEST(TNormalDrag, LeftPressOnThePictureMovesTheFormAndEveryPressReachesTheImage)
{
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    MouseDownLog log;
    const TMouseEvent own(&log, &MouseDownLog::MouseDown);
    fixture.image->OnMouseDown = own;
    auto maker = std::make_unique<qn::TLayeredFormMaker>();
    ASSERT_TRUE(maker->Attach(fixture.image));
    fixture.form->Show();

    CaptionPressRecorder recorder{fixture.form->WindowProc};
    fixture.form->WindowProc = TWndMethod(&recorder, &CaptionPressRecorder::Hook);
    HWND window = fixture.form->Handle();
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(recorder.hits.empty());
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(recorder.hits, std::vector<WPARAM>{HTCAPTION});
    EXPECT_EQ(log.buttons, (std::vector<TMouseButton>{mbRight, mbLeft}));

    // The maker's end gives the image its own handler back.
    maker.reset();
    EXPECT_TRUE(fixture.image->OnMouseDown == own);
    fixture.form->WindowProc = recorder.previous;
}

TEST(TNormalDrag, AnImageDestroyedFirstIsLeftAlone)
{
    auto picture = FacePicture();
    ShapedFormFixture fixture(picture.get());
    qn::TLayeredFormMaker maker;
    ASSERT_TRUE(maker.Attach(fixture.image));
    delete fixture.image;
    fixture.image = nullptr;
    EXPECT_FALSE(maker.IsAttached());
    // The maker's destructor runs at the end of the test without the image.
}
