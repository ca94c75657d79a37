#include "app/skin/FormPictures.h"

#include "vessa/skin/ResourceFiles.h"

void LoadFormPicture(const TCustomForm* form, TImage* image, const std::string& component)
{
    LoadPngFile(FormPictureFile(form->ClassName(), component), image->Picture()->Bitmap(), UnreadableFile::Report);
}

void SizeFormPicture(const TCustomForm* form, TImage* image, const std::string& component)
{
    SIZE size{};
    if (ReadPngFileSize(FormPictureFile(form->ClassName(), component), &size, UnreadableFile::Report))
        image->SetBounds(image->Left(), image->Top(), size.cx, size.cy);
}

void LoadFormPictureOnce(const TCustomForm* form, TImage* image, const std::string& component)
{
    if (image->Picture()->Width() == 0)
        LoadFormPicture(form, image, component);
}
