#pragma once
// The program's real main form, shown on its large background with the
// core picture in place (as the ratio page puts it), on the simulated board
// of the suite's child process. The user's mouse actions are posted to the
// window beneath the pointer and handled by the application's loop, as
// real input is.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BoardSuite.h"
#include "app/forms/MainForm.h"

// Places and rectangles compare and print in the checks.
inline bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const POINT& p)
{
    return out << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace widgettest {

// Where the ratio page puts the core picture.
constexpr POINT kCorePicturePlace{29, 279};

class WidgetForm : public zxtest::BoardSuite {
public:
    // Handles what is queued.
    static void Pump();

protected:
    void SetUp() override;
    void TearDown() override;

    // Pointer actions at (x, y) of `control`.
    static void MoveOver(TControl* control, int x, int y, bool leftDown = false);
    static void PressOn(TControl* control, int x, int y);
    static void ReleaseOn(TControl* control, int x, int y);
    static void ClickOn(TControl* control, int x = 3, int y = 3);

    // The form as the screen shows it, also saved as `name`.bmp beside the
    // test program.
    std::unique_ptr<TBitmap> Screenshot(const std::string& name);

public:
    // The board file this child reads; the simulated board reads it afresh
    // on every call, so a test may edit it (the fixture restores it).
    static std::string BoardFile();

protected:
    TMainForm* form = nullptr;

private:
    std::string m_boardText;
};

// The change callbacks a test counts.
struct ChangeCounter {
    int count = 0;
    TObject* lastSender = reinterpret_cast<TObject*>(1);
    TNotifyEvent Event()
    {
        return TNotifyEvent::FromFunction([this](TObject* sender) {
            ++count;
            lastSender = sender;
        });
    }
};

}  // namespace widgettest
