#pragma once
// The library's four forms, one instance each, made by DovrelCreate and
// exported as data. Null until then.

class TProfileDialog;
class TProfileShadowForm;
class TAskDialog;
class TDialogCover;

extern "C" {
extern TProfileDialog* ProfileDialog;
extern TProfileShadowForm* ProfileShadowForm;
extern TAskDialog* AskDialog;
extern TDialogCover* DialogCover;
}
