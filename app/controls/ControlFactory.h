#pragma once
// The factories that build the main window's controls at run time: each
// control is owned by and placed on the main form (or the given owner),
// dressed with its skins, position, caption, hint, cursor and font. Skin
// names come in state order (see SkinFiles.h). Also two queries on the
// primary item set that the pages use to choose their layout.

#include <windows.h>

#include "KyPackage/Source/KyCheckBox.h"
#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyRadioButton.h"
#include "app/controls/AlphaButton.h"

// Whether the program's language is Japanese (fonts then take the Japanese
// character set) or German (some controls then take wider pictures).
bool IsJapaneseLanguage();
bool IsGermanLanguage();

// An AlphaButton at (x, y): it reads its four pictures and blends them over
// the window's background itself. `caption` and `hint` may be null; a hint
// turns hints on. `handCursor` gives the hand-point cursor. A Japanese
// language takes the Japanese font character set.
void CreateAlphaButton(AlphaButton*& button, int x, int y, const char* const names[4], const char* caption,
                       const char* hint, bool handCursor);
// The same, with the four pictures pre-blended over CoreBk instead.
void CreateCoreAlphaButton(AlphaButton*& button, int x, int y, const char* const names[4], const char* caption,
                           const char* hint, bool handCursor);

// A captioned check box (or radio button) at (x, y): unchecked pictures from
// names 0-3, checked from 4-7, pre-blended over Background; font "Arial".
// The caller sets the caption, its colours and the character set.
void CreateCheckBoxTx(KyCheckBoxTx*& box, int x, int y, const char* const names[8], const char* hint, bool handCursor);
void CreateRadioButtonTx(KyRadioButtonTx*& button, int x, int y, const char* const names[8], const char* hint,
                         bool handCursor);
// The same two, pre-blended over MiddleBk: the page controls, which show
// only while the window has its page panel (the collapsed face does not
// reach down to them).
void CreateMiddleCheckBoxTx(KyCheckBoxTx*& box, int x, int y, const char* const names[8], const char* hint,
                            bool handCursor);
void CreateMiddleRadioButtonTx(KyRadioButtonTx*& button, int x, int y, const char* const names[8], const char* hint,
                               bool handCursor);
// A radio button without caption, pre-blended over CoreBk.
void CreateCoreRadioButton(KyRadioButton*& button, int x, int y, const char* const names[8], const char* hint,
                           bool handCursor);

// A KyImage at (x, y) on `owner`, showing skin `file` with its own alpha
// channel, sized to the picture. A missing file leaves it empty.
KyImage* CreateKyImage(TWinControl* owner, int x, int y, const char* file);

// Both expert-option items (0x03080018 and 0x030800B4) exist.
bool HasExpertOptionItems();
// No item of the primary set from the first free position on is a DRAM
// item; answered once and kept.
bool IsDramGroupEmpty();
// A DRAM item: bits 4-7 of its index are 3 (index 0x30-0x3F, higher index
// bits aside).
constexpr bool IsDramItem(DWORD id)
{
    return ((id >> 4) & 0xF) == 3;
}
