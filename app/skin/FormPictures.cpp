#include "app/skin/FormPictures.h"

#include "vessa/skin/ResourceFiles.h"

void LoadFormPicture(const TCustomForm* form, TImage* image, const std::string& component)
{
    LoadPngFile(FormPictureFile(form->ClassName(), component), image->Picture()->Bitmap(), UnreadableFile::Report);
}
