#pragma once
// An icon loaded from an .ico file, drawn with DrawIconEx.

#include <windows.h>

#include "platform/vcl/Graphic.h"

class TIcon : public TGraphic {
public:
    ~TIcon() override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    // The size to load at (0 = the file's own first image).
    void SetWidth(int width) override { m_width = width; }
    void SetHeight(int height) override { m_height = height; }
    bool Empty() const override { return m_handle == nullptr; }

    HICON Handle() const { return m_handle; }
    void SetHandle(HICON icon);
    // Gives the handle away without destroying it.
    HICON ReleaseHandle();
    // Missing file: EFOpenError; unreadable icon: EInvalidGraphic.
    void LoadFromFile(const std::string& fileName) override;
    void Assign(TPersistent* source) override;

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;

private:
    void ReadSize();
    HICON m_handle = nullptr;
    int m_width = 0;
    int m_height = 0;
};
