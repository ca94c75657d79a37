#pragma once
// Dovrel.dll, the profile dialog library: the Save Profile dialog and the
// ask/warn dialogs, run modally on the caller's GUI thread in the caller's
// message loop. Results: 1 OK, 2 Cancel (also at once when that dialog is
// already open), 6 Yes, 7 No. Texts belong to the caller and are copied;
// left and top are the screen position of the dialog's top-left corner.

#include <windows.h>

class TApplication;

extern "C" {

// Once, before any other call: the dialogs then belong to `host`. A second
// call is ignored. Until a call has made every form (a missing skin or form
// picture stops it), each dialog export answers 2 at once.
void WINAPI DovrelCreate(TApplication* host);  // ordinal 1
int WINAPI DovrelShowModal();                  // ordinal 2
// As DovrelShowModal; from then on the dialog's shadow stays topmost and is
// left out under WOW64.
int WINAPI DovrelShowModalSp();                                         // ordinal 3
int WINAPI DovrelAskDialog(const char* text, int left, int top);        // ordinal 4: 6, 7 or 2
int WINAPI DovrelWarnDialog(const char* text, int left, int top);       // ordinal 5: 1 or 2
int WINAPI DovrelAskDialogDanger(const char* text, int left, int top);  // ordinal 6: 6, 7 or 2

}  // extern "C"
