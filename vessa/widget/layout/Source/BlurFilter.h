#pragma once
// Integer blur: the luminance table of a bitmap, square blur kernels and
// the integer convolution that the text shadow is made of.

#include <cstdint>
#include <vector>

#include "platform/vcl/Bitmap.h"

namespace vessa {

// A table of 32-bit integers, one per bitmap pixel or kernel weight; it
// knows its size, so nothing reads or writes outside it.
class IntTable {
public:
    IntTable() = default;
    IntTable(int height, int width);  // all zero

    int Height() const { return m_height; }
    int Width() const { return m_width; }
    int32_t* operator[](int row) { return m_cells.data() + static_cast<size_t>(row) * m_width; }
    const int32_t* operator[](int row) const { return m_cells.data() + static_cast<size_t>(row) * m_width; }

private:
    int m_height = 0;
    int m_width = 0;
    std::vector<int32_t> m_cells;
};

// Y = 0.299 R + 0.587 G + 0.114 B, rounded, for each pixel (24-bit and
// 32-bit pixels are read as they are, other formats through a 32-bit copy).
IntTable CreateLuminanceTable(TBitmap* bitmap);

// Makes and frees square kernels of side 2r + 1; the divisor is the sum of
// the weights.
class FilterFactory {
public:
    virtual ~FilterFactory() = default;
    virtual void CreateKernel(const IntTable*& kernel, int& divisor, unsigned radius) = 0;
    virtual void DestroyKernel(const IntTable* kernel, unsigned radius) = 0;
};

// Gaussian weights. Radius 1 and 2 give fixed kernels that are shared for
// the life of the process; larger radii compute a new kernel from sigma.
class GaussianFilterFactory : public FilterFactory {
public:
    float Sigma() const { return m_sigma; }
    void SetSigma(float sigma) { m_sigma = sigma; }

    void CreateKernel(const IntTable*& kernel, int& divisor, unsigned radius) override;
    // Frees a computed kernel; the shared ones stay.
    void DestroyKernel(const IntTable* kernel, unsigned radius) override;

private:
    float m_sigma = 1.0f;
};

// For every position where the kernel fits wholly inside `source`, the
// rounded weighted mean lands on `destination` at that position moved by
// (rowOffset, columnOffset). Cells outside `destination` are not written.
void Convolve(const IntTable& source, const IntTable& kernel, IntTable& destination, int rowOffset, int columnOffset,
              int divisor);

}  // namespace vessa
