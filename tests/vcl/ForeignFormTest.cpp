// Forms made by another module that adopted this program's application
// object: owned by it, found by class and caption, run by its loop, and no
// exception crossing the module boundary.

#include <gtest/gtest.h>

#include "TestPaths.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "vessa/System/ProcAddress.h"

namespace {

constexpr UINT WM_FOREIGN_THROW = WM_APP + 8;

TCustomForm* FormOf(HWND window)
{
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(Application->Components(i));
        if (form && form->HandleAllocated() && form->Handle() == window)
            return form;
    }
    return nullptr;
}

class ForeignLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryA(zxtest::JoinPath(zxtest::TestDir(), "vcl_foreign_forms.dll").c_str());
        ASSERT_NE(m_module, nullptr);
        auto adopt = vessa::GetProcAddressAs<void (*)(TApplication*)>(m_module, "ForeignAdopt");
        show = vessa::GetProcAddressAs<HWND (*)(const char*)>(m_module, "ForeignShow");
        showModal = vessa::GetProcAddressAs<int (*)(int)>(m_module, "ForeignShowModal");
        ASSERT_TRUE(adopt && show && showModal);
        adopt(Application);
    }

    HMODULE m_module = nullptr;  // stays loaded, as the program keeps its libraries
    HWND (*show)(const char*) = nullptr;
    int (*showModal)(int) = nullptr;
};

}  // namespace

TEST_F(ForeignLibrary, ItsFormBelongsToTheProgramsApplicationAndLoop)
{
    const int before = Application->ComponentCount();
    HWND window = show("Foreign One");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA("TForeignForm", "Foreign One"), window);
    EXPECT_EQ(Application->ComponentCount(), before + 1);
    TCustomForm* form = FormOf(window);
    ASSERT_NE(form, nullptr);

    // The program's loop closes it: not the main form, so it only hides.
    PostMessageA(window, WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(window));
    delete form;  // freeing it through the object the program sees
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Application->ComponentCount(), before);
}

TEST_F(ForeignLibrary, ItsModalFormRunsInTheProgramsLoop)
{
    int seen = 0;
    Application->OnMessage = TMessageEvent::FromFunction([&](MSG&, bool&) { ++seen; });
    EXPECT_EQ(showModal(6), 6);
    EXPECT_GT(seen, 0) << "the modal loop did not go through the program's application";
    Application->OnMessage = TMessageEvent();
}

TEST_F(ForeignLibrary, AnExceptionInItsHandlerStaysInsideTheLibrary)
{
    std::string shown;
    Application->OnException = TExceptionEvent::FromFunction([&](TObject*, const char* text) { shown = text; });
    HWND window = show("Foreign Two");
    SendMessageA(window, WM_FOREIGN_THROW, 0, 0);  // would crash the test if it left the window procedure
    EXPECT_EQ(shown, "thrown inside the library");
    Application->OnException = TExceptionEvent();
    delete FormOf(window);
}
