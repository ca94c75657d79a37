// The drop shadow's pictures: blackened with their alpha kept, and the
// window taking the size of the picture it shows.

#include <gtest/gtest.h>

#include <cstdio>

#include "TestPaths.h"
#include "TestPng.h"
#include "TestProcess.h"
#include "vessa/skin/ResourceFiles.h"
#include "app/forms/ShadowForm.h"
#include "platform/vcl/Application.h"

namespace {

TEST(ShadowPicture, EveryPixelThatShowsBecomesBlackWithItsAlphaKept)
{
    struct Case {
        BYTE blue, green, red, alpha;
        BYTE expectedColour;
    };
    const Case cases[] = {
        {10, 200, 90, 255, 0},  // opaque
        {40, 50, 60, 128, 0},   // half-transparent stays half-transparent
        {1, 1, 1, 1, 0},        // barely visible
        {7, 8, 9, 0, 7},        // transparent: untouched (the loader keeps it black anyway)
    };
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(static_cast<int>(std::size(cases)), 1);
    auto* row = static_cast<BYTE*>(bitmap.ScanLine(0));
    for (size_t i = 0; i < std::size(cases); ++i) {
        BYTE* p = row + 4 * i;
        p[0] = cases[i].blue;
        p[1] = cases[i].green;
        p[2] = cases[i].red;
        p[3] = cases[i].alpha;
    }
    BlackenShadow(&bitmap);
    row = static_cast<BYTE*>(bitmap.ScanLine(0));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const BYTE* p = row + 4 * i;
        EXPECT_EQ(cases[i].alpha, p[3]);
        EXPECT_EQ(cases[i].expectedColour, p[0]);
        if (cases[i].alpha != 0) {
            EXPECT_EQ(0, p[1]);
            EXPECT_EQ(0, p[2]);
        }
    }
}

// Runs in a copy of this program whose folder holds the shadow pictures
// written by the test: shows the second large picture, then the small one,
// and prints the window's sizes and the small picture's first pixel.
ZX_TEST_CHILD(shadow_sizes)
{
    TForm* mainForm = nullptr;
    Application->Initialize();
    Application->CreateForm(mainForm);
    TShadowForm* shadow = nullptr;
    Application->CreateForm(shadow);
    shadow->ShowBig3();
    std::printf("big3=%dx%d ", shadow->Width(), shadow->Height());
    shadow->ShowSmall();
    auto* pixel = static_cast<BYTE*>(shadow->Background->Picture()->Bitmap()->ScanLine(0));
    std::printf("small=%dx%d pixel=%d,%d,%d,%d\n", shadow->Width(), shadow->Height(), pixel[0], pixel[1], pixel[2],
                pixel[3]);
    std::fflush(stdout);
    return 0;
}

bool WriteShadow(const std::string& folder, const char* name, int width, int height)
{
    // Reddish, half-transparent everywhere.
    std::vector<uint16_t> samples;
    for (int i = 0; i < width * height; ++i)
        samples.insert(samples.end(), {200, 30, 30, 128});
    return zxtest::WritePngFile(zxtest::JoinPath(folder, name), zxtest::MakePngImage(width, height, 6, 8, samples));
}

TEST(ShadowForm, TakesTheSizeOfThePictureItShows)
{
    zxtest::TempFolder folder;
    const std::string resource = folder.File("Resource");
    ASSERT_TRUE(CreateDirectoryA(resource.c_str(), nullptr));
    ASSERT_TRUE(WriteShadow(resource, "small_shadow002.png", 30, 20));
    ASSERT_TRUE(WriteShadow(resource, "big_shadow002.png", 50, 40));
    ASSERT_TRUE(WriteShadow(resource, "big_shadow003.png", 70, 60));
    ASSERT_TRUE(
        CopyFileA(zxtest::JoinPath(zxtest::DistDir(), "pngio.dll").c_str(), folder.File("pngio.dll").c_str(), FALSE));

    zxtest::ProcessResult result = zxtest::RunChildCopy(folder.File("shadow_child.exe"), "shadow_sizes");
    ASSERT_TRUE(result.started);
    EXPECT_NE(std::string::npos, result.output.find("big3=70x60 small=30x20 pixel=0,0,0,128")) << result.output;
}

}  // namespace
