#include "vessa/skin/ResourceFiles.h"

#include <windows.h>

#include "vessa/fileutl/Source/PathUtility.h"

std::string GetResourceFolder()
{
    return vessa::GetProgramFolder() + kResourceFolderName;
}

std::string FormPictureFile(const std::string& formClass, const std::string& component)
{
    return GetResourceFolder() + kFormPictureFolder + formClass + "." + component + ".png";
}

bool LoadShadowPicture(const std::string& name, TBitmap* bitmap, UnreadableFile policy)
{
    if (!LoadPngFile(GetResourceFolder() + name, bitmap, policy))
        return false;
    BlackenShadow(bitmap);
    return true;
}

void BlackenShadow(TBitmap* bitmap)
{
    if (bitmap->PixelFormat() != pf32bit)
        return;
    for (int y = 0; y < bitmap->Height(); ++y) {
        auto* pixel = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < bitmap->Width(); ++x, pixel += 4) {
            if (pixel[3] != 0)
                pixel[0] = pixel[1] = pixel[2] = 0;
        }
    }
}
