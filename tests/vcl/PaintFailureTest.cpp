// A Paint that throws: the exception is reported, and everything the paint
// took is given back (the paint session, the off-screen buffer and its
// context, the canvas's borrowed context, the csPainting flag), so the next
// paint of the same control works.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

namespace {

struct PaintRecord {
    bool fail = true;
    int paints = 0;
    HDC dc = nullptr;          // the context Paint drew on
    HGDIOBJ bitmap = nullptr;  // the bitmap selected into it
    bool paintingFlag = false;
};

void DrawAndMaybeFail(TControl* control, TCanvas* canvas, PaintRecord& record)
{
    ++record.paints;
    record.dc = canvas->Handle();
    record.bitmap = GetCurrentObject(record.dc, OBJ_BITMAP);
    record.paintingFlag = (control->ControlState() & csPainting) != 0;
    canvas->TextOut(0, 0, "x");  // selects the canvas's font, pen and brush
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(RECT{0, 0, 10, 10});
    if (record.fail)
        throw Exception("paint failed");
}

class TFailingPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    PaintRecord record;

protected:
    void Paint() override { DrawAndMaybeFail(this, Canvas(), record); }
};

class TFailingGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    PaintRecord record;

protected:
    void Paint() override { DrawAndMaybeFail(this, Canvas(), record); }
};

struct PaintCase {
    const char* name;
    bool windowed;  // a control with its own window, else a windowless one on the form
    bool doubleBuffered;
};

const PaintCase kCases[] = {
    {"windowed, direct", true, false},
    {"windowed, double-buffered", true, true},
    {"windowless, direct", false, false},
    {"windowless, double-buffered", false, true},
};

}  // namespace

TEST(VclPaintFailure, AThrowingPaintGivesEverythingBackAndTheNextPaintWorks)
{
    for (const PaintCase& test : kCases) {
        SCOPED_TRACE(test.name);
        auto form = std::make_unique<TForm>(Application);
        form->SetBorderStyle(bsNone);
        form->SetColor(clWhite);
        form->SetBounds(20, 20, 80, 60);
        TControl* control = nullptr;
        TCanvas* canvas = nullptr;
        PaintRecord* record = nullptr;
        TWinControl* painted = nullptr;  // the window whose WM_PAINT runs the Paint
        POINT origin{0, 0};              // of the control in that window
        if (test.windowed) {
            auto* panel = new TFailingPanel(form.get());
            panel->SetParent(form.get());
            panel->SetBounds(0, 0, 40, 30);
            panel->SetDoubleBuffered(test.doubleBuffered);
            control = panel, canvas = panel->Canvas(), record = &panel->record, painted = panel;
        } else {
            auto* graphic = new TFailingGraphic(form.get());
            graphic->SetParent(form.get());
            graphic->SetBounds(5, 5, 40, 30);
            form->SetDoubleBuffered(test.doubleBuffered);
            control = graphic, canvas = graphic->Canvas(), record = &graphic->record, painted = form.get();
            origin = POINT{5, 5};
        }
        std::vector<std::string> shown;
        Application->OnException =
            TExceptionEvent::FromFunction([&](TObject*, const char* text) { shown.push_back(text); });
        form->Show();
        HWND window = painted->Handle();
        auto paintNow = [&] {
            InvalidateRect(window, nullptr, TRUE);
            UpdateWindow(window);
        };
        paintNow();

        ASSERT_GE(record->paints, 1);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back(), "paint failed");
        EXPECT_TRUE(record->paintingFlag);
        EXPECT_EQ(control->ControlState() & csPainting, 0u) << "csPainting is cleared";
        EXPECT_FALSE(canvas->HandleAllocated()) << "no stale context stays in the canvas";
        RECT update;
        EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "the paint session ended";
        if (test.doubleBuffered) {
            EXPECT_EQ(GetObjectType(record->dc), 0u) << "the buffer's context is deleted";
            EXPECT_EQ(GetObjectType(record->bitmap), 0u) << "the buffer is deleted";
        }

        record->fail = false;
        int paints = record->paints;
        size_t failures = shown.size();
        paintNow();
        Application->OnException = nullptr;
        EXPECT_EQ(record->paints, paints + 1);
        EXPECT_EQ(shown.size(), failures);
        EXPECT_FALSE(canvas->HandleAllocated());
        HDC screen = GetDC(window);
        EXPECT_EQ(GetPixel(screen, origin.x + 5, origin.y + 5), RGB(255, 0, 0)) << "the next paint reached the window";
        ReleaseDC(window, screen);
    }
}
