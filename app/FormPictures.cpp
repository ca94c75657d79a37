#include "app/FormPictures.h"

#include "app/PngReader.h"
#include "platform/vcl/SysUtils.h"
#include "vessa/System/Source/DebugTrace.h"
#include "vessa/fileutl/Source/PathUtility.h"

std::string FormPictureFile(const TCustomForm* form, const std::string& component)
{
    return vessa::GetProgramFolder() + kFormPictureFolder + form->ClassName() + "." + component + ".png";
}

void LoadFormPicture(const TCustomForm* form, TImage* image, const std::string& component)
{
    const std::string file = FormPictureFile(form, component);
    bool read = false;
    try {
        read = LoadPngFile(file, image->Picture()->Bitmap());
    } catch (const EFOpenError&) {
        read = false;
    }
    if (!read)
        DebugTrace("[LoadFormPicture] cannot read %s", file.c_str());
}
