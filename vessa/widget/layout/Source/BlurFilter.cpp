#include "vessa/widget/layout/Source/BlurFilter.h"

#include <climits>
#include <cmath>

#include "vessa/System/VessaAssert.h"
#include "vessa/widget/layout/Source/BitmapBlend.h"

namespace vessa {

namespace {

IntTable MakeKernel(const std::vector<std::vector<int32_t>>& rows)
{
    int side = static_cast<int>(rows.size());
    IntTable kernel(side, side);
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j)
            kernel[i][j] = rows[i][j];
    return kernel;
}

const IntTable& Kernel3x3()
{
    static const IntTable* kernel = new IntTable(MakeKernel({{1, 2, 1}, {2, 4, 2}, {1, 2, 1}}));
    return *kernel;
}

const IntTable& Kernel5x5()
{
    static const IntTable* kernel = new IntTable(
        MakeKernel({{1, 4, 7, 4, 1}, {4, 16, 26, 16, 4}, {7, 26, 41, 26, 7}, {4, 16, 26, 16, 4}, {1, 4, 7, 4, 1}}));
    return *kernel;
}

constexpr int kKernel3x3Divisor = 16;
constexpr int kKernel5x5Divisor = 273;

}  // namespace

IntTable::IntTable(int height, int width)
    : m_height(height > 0 ? height : 0),
      m_width(width > 0 ? width : 0),
      m_cells(static_cast<size_t>(m_height) * m_width, 0)
{
}

IntTable CreateLuminanceTable(TBitmap* bitmap)
{
    if (bitmap->PixelFormat() != pf24bit && bitmap->PixelFormat() != pf32bit) {
        TBitmap copy;
        CopyAsBgra(bitmap, &copy);
        return CreateLuminanceTable(&copy);
    }
    const int step = bitmap->PixelFormat() == pf32bit ? 4 : 3;
    IntTable table(bitmap->Height(), bitmap->Width());
    for (int y = 0; y < table.Height(); ++y) {
        const auto* row = static_cast<const BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < table.Width(); ++x) {
            const BYTE* pixel = row + x * step;
            table[y][x] = static_cast<int32_t>(0.299 * pixel[2] + 0.587 * pixel[1] + 0.114 * pixel[0] + 0.5);
        }
    }
    return table;
}

void GaussianFilterFactory::CreateKernel(const IntTable*& kernel, int& divisor, unsigned radius)
{
    const unsigned r = radius;
    VESSA_ASSERT(r > 0);
    if (radius == 1) {
        kernel = &Kernel3x3();
        divisor = kKernel3x3Divisor;
        return;
    }
    if (radius == 2) {
        kernel = &Kernel5x5();
        divisor = kKernel5x5Divisor;
        return;
    }
    const int side = 2 * static_cast<int>(r) + 1;
    const float s = m_sigma * m_sigma;
    // Scaled so that the corners weigh about 1; the scale is held down so
    // that the sum of the weights stays an int for any radius and sigma.
    double corner = std::exp(-2.0 * r * r / (2.0 * s));
    double scale = std::trunc(1.0 / corner + 0.5);
    double maxScale = std::floor(static_cast<double>(INT_MAX) / (static_cast<double>(side) * side)) - 1.0;
    if (!(scale <= maxScale))
        scale = maxScale;
    auto* table = new IntTable(side, side);
    divisor = 0;
    const int half = static_cast<int>(r);
    for (int i = -half; i <= half; ++i) {
        for (int j = -half; j <= half; ++j) {
            double weight = std::exp(-(i * i + j * j) / (2.0 * s)) * scale + 0.5;
            (*table)[i + half][j + half] = static_cast<int32_t>(weight);
            divisor += (*table)[i + half][j + half];
        }
    }
    kernel = table;
}

void GaussianFilterFactory::DestroyKernel(const IntTable* kernel, unsigned radius)
{
    // Decided by the kernel itself, so that a wrong radius cannot free a
    // shared kernel.
    if (kernel == &Kernel3x3() || kernel == &Kernel5x5())
        return;
    delete kernel;
}

void Convolve(const IntTable& source, const IntTable& kernel, IntTable& destination, int rowOffset, int columnOffset,
              int divisor)
{
    VESSA_ASSERT(divisor > 0);
    for (int i = 0; i + kernel.Height() <= source.Height(); ++i) {
        int row = i + rowOffset;
        if (row < 0 || row >= destination.Height())
            continue;
        for (int j = 0; j + kernel.Width() <= source.Width(); ++j) {
            int column = j + columnOffset;
            if (column < 0 || column >= destination.Width())
                continue;
            // 64-bit sums: large kernels over bright pixels pass 2^31.
            int64_t sum = 0;
            for (int k = 0; k < kernel.Height(); ++k) {
                const int32_t* sourceRow = source[i + k];
                const int32_t* weights = kernel[k];
                for (int l = 0; l < kernel.Width(); ++l)
                    sum += static_cast<int64_t>(sourceRow[j + l]) * weights[l];
            }
            destination[row][column] = static_cast<int32_t>((sum + divisor / 2) / divisor);
        }
    }
}

}  // namespace vessa
