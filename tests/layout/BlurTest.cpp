// Luminance tables, the Gaussian kernels and the integer convolution.

#include <gtest/gtest.h>

#include <vector>

#include "BitmapPixels.h"
#include "ContractStop.h"
#include "vessa/widget/layout/Source/BlurFilter.h"

using zxtest::Bgra;

namespace {

vessa::IntTable TableOf(int height, int width, int32_t value)
{
    vessa::IntTable table(height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            table[y][x] = value;
    return table;
}

// A kernel made by the factory and given back at the end of the scope.
struct Kernel {
    explicit Kernel(unsigned radius, float sigma = 1.0f) : radius(radius)
    {
        factory.SetSigma(sigma);
        factory.CreateKernel(table, divisor, radius);
    }
    ~Kernel() { factory.DestroyKernel(table, radius); }
    const vessa::IntTable& operator*() const { return *table; }
    vessa::GaussianFilterFactory factory;
    unsigned radius;
    const vessa::IntTable* table = nullptr;
    int divisor = 0;
};

std::vector<std::vector<int32_t>> Rows(const vessa::IntTable& table)
{
    std::vector<std::vector<int32_t>> rows;
    for (int y = 0; y < table.Height(); ++y)
        rows.emplace_back(table[y], table[y] + table.Width());
    return rows;
}

}  // namespace

TEST(Blur, LuminanceIsTheRoundedWeightedSumOfTheChannels)
{
    struct Case {
        Bgra pixel;
        int32_t luminance;
    } cases[] = {
        {{0, 0, 0, 0}, 0},     {{255, 255, 255, 0}, 255}, {{0, 0, 255, 0}, 76},  // 76.245 + 0.5
        {{0, 255, 0, 0}, 150},                                                   // 149.685 + 0.5
        {{255, 0, 0, 0}, 29},                                                    // 29.07 + 0.5
        {{10, 20, 30, 0}, 22},                                                   // 1.14 + 11.74 + 8.97 = 21.85 + 0.5
    };
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap bitmap;
        zxtest::Fill(bitmap, format, static_cast<int>(std::size(cases)), 2, Bgra{});
        for (int x = 0; x < static_cast<int>(std::size(cases)); ++x)
            zxtest::Put(bitmap, x, 1, cases[x].pixel);
        vessa::IntTable table = vessa::CreateLuminanceTable(&bitmap);
        ASSERT_EQ(table.Height(), 2);
        ASSERT_EQ(table.Width(), static_cast<int>(std::size(cases)));
        for (int x = 0; x < table.Width(); ++x)
            EXPECT_EQ(table[1][x], cases[x].luminance) << "format " << format << " case " << x;
    }
}

TEST(Blur, RadiusOneAndTwoGiveTheSharedFixedKernels)
{
    vessa::GaussianFilterFactory factory;
    factory.SetSigma(3.5f);  // the fixed kernels do not depend on it
    const vessa::IntTable* kernel = nullptr;
    int divisor = 0;

    factory.CreateKernel(kernel, divisor, 1);
    EXPECT_EQ(divisor, 16);
    EXPECT_EQ(Rows(*kernel), (std::vector<std::vector<int32_t>>{{1, 2, 1}, {2, 4, 2}, {1, 2, 1}}));
    const vessa::IntTable* first = kernel;
    factory.DestroyKernel(kernel, 1);
    factory.CreateKernel(kernel, divisor, 1);
    EXPECT_EQ(kernel, first);

    factory.CreateKernel(kernel, divisor, 2);
    EXPECT_EQ(divisor, 273);
    EXPECT_EQ(Rows(*kernel),
              (std::vector<std::vector<int32_t>>{
                  {1, 4, 7, 4, 1}, {4, 16, 26, 16, 4}, {7, 26, 41, 26, 7}, {4, 16, 26, 16, 4}, {1, 4, 7, 4, 1}}));
    // A wrong radius does not free a shared kernel.
    factory.DestroyKernel(kernel, 5);
    const vessa::IntTable* again = nullptr;
    vessa::GaussianFilterFactory().CreateKernel(again, divisor, 2);
    EXPECT_EQ(again, kernel);
    EXPECT_EQ((*again)[2][2], 41);
}

TEST(Blur, LargerRadiiComputeKernelsWhoseCornersWeighAboutOne)
{
    Kernel kernel(3);
    ASSERT_EQ((*kernel).Height(), 7);
    ASSERT_EQ((*kernel).Width(), 7);
    EXPECT_EQ((*kernel)[0][0], 1);
    EXPECT_EQ((*kernel)[6][6], 1);
    EXPECT_EQ((*kernel)[0][6], 1);
    EXPECT_EQ((*kernel)[3][3], 8103);  // truncate(exp(9) + 0.5)
    EXPECT_EQ((*kernel)[3][4], 4915);  // truncate(exp(-0.5) × 8103 + 0.5)
    int sum = 0;
    for (const auto& row : Rows(*kernel))
        for (int32_t weight : row)
            sum += weight;
    EXPECT_EQ(kernel.divisor, sum);

    Kernel wider(3, 2.0f);
    EXPECT_EQ((*wider)[0][0], 1);
    EXPECT_EQ((*wider)[3][3], 9);  // exp(18 / 8) = 9.49
}

TEST(Blur, ConvolutionWritesTheRoundedMeanWhereTheKernelFits)
{
    Kernel kernel(1);
    vessa::IntTable source = TableOf(3, 3, 255);
    vessa::IntTable destination = TableOf(3, 3, -1);
    vessa::Convolve(source, *kernel, destination, 1, 1, kernel.divisor);
    EXPECT_EQ(Rows(destination), (std::vector<std::vector<int32_t>>{{-1, -1, -1}, {-1, 255, -1}, {-1, -1, -1}}));

    // One bright cell: (100 × 4 + 8) / 16 at its own place, (100 + 8) / 16 diagonally.
    vessa::IntTable spot = TableOf(5, 5, 0);
    spot[2][2] = 100;
    vessa::IntTable blurred = TableOf(5, 5, -1);
    vessa::Convolve(spot, *kernel, blurred, 1, 1, kernel.divisor);
    EXPECT_EQ(blurred[2][2], 25);
    EXPECT_EQ(blurred[1][1], 6);
    EXPECT_EQ(blurred[1][2], 13);
    EXPECT_EQ(blurred[0][0], -1);
    EXPECT_EQ(blurred[4][4], -1);
}

TEST(Blur, ConvolutionNeverWritesOutsideTheDestination)
{
    Kernel kernel(1);
    vessa::IntTable source = TableOf(6, 6, 50);
    vessa::IntTable small = TableOf(2, 2, -1);
    vessa::Convolve(source, *kernel, small, 1, -1, kernel.divisor);
    EXPECT_EQ(Rows(small), (std::vector<std::vector<int32_t>>{{-1, -1}, {50, 50}}));
}

TEST(Blur, WideKernelsOverBrightPixelsKeepTheirMean)
{
    // Radius 8 at sigma 1 would scale its weights past 2^31 unchecked.
    Kernel kernel(8);
    EXPECT_GT(kernel.divisor, 0);
    vessa::IntTable source = TableOf(17, 17, 255);
    vessa::IntTable destination(17, 17);
    vessa::Convolve(source, *kernel, destination, 8, 8, kernel.divisor);
    EXPECT_EQ(destination[8][8], 255);
}

ZX_TEST_CHILD(KernelOfRadiusZero)
{
    Kernel kernel(0);
    return 0;
}

TEST(Blur, RadiusZeroStopsTheProgram)
{
    zxtest::ExpectContractStop("KernelOfRadiusZero", "r > 0");
}
