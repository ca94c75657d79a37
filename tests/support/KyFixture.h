#pragma once
// Skinned controls on a shown form, with solid-colour state images whose
// colour tells which image the control shows, and the mouse and keyboard
// messages a user's actions send.

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "KyPackage/Source/KyCustomControl.h"
#include "platform/vcl/Form.h"

namespace kytest {

// A solid bitmap.
std::unique_ptr<TBitmap> Solid(int width, int height, TColor color);
// The colour that marks state image `index` (distinct, never white or magenta).
COLORREF StateColor(int index);
// Gives `control` solid images of `size` for `indexes`, image 0 first when listed.
void LoadSolidStates(KyCustomControl* control, const std::vector<int>& indexes, int size = 24);
// Images 0 and 4 (where there is one) of width × height, a bold black
// font and `text`: a captioned control ready to draw.
void SetUpCaption(KyCustomControl* control, int width, int height, const std::string& text);

// Where a caption was drawn: the box of the pixels that differ from the
// image's own colour, and whether any has exactly the text colour.
struct Ink {
    RECT box{INT_MAX, INT_MAX, -1, -1};
    bool hasColor = false;
};
Ink InkOn(KyCustomControl* control, COLORREF background, COLORREF text);

// The state image the control shows, by its marking colour; -1 for none.
int ShownImage(KyCustomControl* control);

// The classes registered on palette page `page`.
std::vector<std::string> ClassesOnPage(const std::string& page);
// Whether `name` is registered on `page`.
bool IsOnPage(const std::string& page, const std::string& name);

class KyFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class Control>
    Control* Place(int left = 10, int top = 10)
    {
        auto* control = new Control(form.get());
        control->SetParent(form.get());
        control->SetLeft(left);
        control->SetTop(top);
        return control;
    }

    // The user's actions, as the messages they send to `control`.
    static void MoveTo(TWinControl* control, int x, int y, bool leftDown = false);
    static void Press(TWinControl* control, int x, int y);
    static void Release(TWinControl* control, int x, int y);
    static void Click(TWinControl* control, int x = 2, int y = 2);
    static void Leave(TWinControl* control);
    static void KeyDown(TWinControl* control, WORD key);
    static void KeyUp(TWinControl* control, WORD key);
    // Down, the character when it has one, up.
    static void Type(TWinControl* control, WORD key);

    // The form's window as the screen shows it.
    std::unique_ptr<TBitmap> Screenshot();

    std::unique_ptr<TForm> form;
    std::vector<std::string> log;
    TNotifyEvent Logger(const std::string& what);
};

}  // namespace kytest
