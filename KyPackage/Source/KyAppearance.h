#pragma once
// Appearance objects name a skinned control's state images as properties,
// copy them as a group (Assign) and load them from bitmap files. They hold
// only indexes: the images themselves belong to the control.

#include <string>

#include "platform/vcl/Bitmap.h"

class KyCustomControl;

class KyCtrlAppearance : public TPersistent {
public:
    explicit KyCtrlAppearance(KyCustomControl* control) : m_control(control) {}

    // Copies `bitmap` into the control's image `index`.
    void SetBitmap(TBitmap* bitmap, int index);
    // The control's live image `index`.
    TBitmap* GetBitmap(int index);

protected:
    // Reads every named file first, then copies them into the images from
    // `firstIndex` on; an empty name leaves its image as it is. A file that
    // cannot be read raises before any image changes.
    bool LoadStateBitmaps(const std::string& folder, const std::string* names, int count, int firstIndex);

private:
    KyCustomControl* m_control;
};

// Raised, sunken, focused and disabled images from `firstIndex` on.
class KyFourStateAppearance : public KyCtrlAppearance {
public:
    KyFourStateAppearance(KyCustomControl* control, int firstIndex)
        : KyCtrlAppearance(control), m_firstIndex(firstIndex)
    {
    }

    TBitmap* RaisedBmp() { return GetBitmap(m_firstIndex); }
    TBitmap* SunkenBmp() { return GetBitmap(m_firstIndex + 1); }
    TBitmap* FocusedBmp() { return GetBitmap(m_firstIndex + 2); }
    TBitmap* DisabledBmp() { return GetBitmap(m_firstIndex + 3); }
    void SetRaisedBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex); }
    void SetSunkenBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex + 1); }
    void SetFocusedBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex + 2); }
    void SetDisabledBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex + 3); }

    bool LoadBitmaps(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);

protected:
    void AssignTo(TPersistent* destination) override;

private:
    int m_firstIndex;
};

// Normal, focused and disabled images from `firstIndex` on.
class KyThreeStateAppearance : public KyCtrlAppearance {
public:
    KyThreeStateAppearance(KyCustomControl* control, int firstIndex)
        : KyCtrlAppearance(control), m_firstIndex(firstIndex)
    {
    }

    TBitmap* NormalBmp() { return GetBitmap(m_firstIndex); }
    TBitmap* FocusedBmp() { return GetBitmap(m_firstIndex + 1); }
    TBitmap* DisabledBmp() { return GetBitmap(m_firstIndex + 2); }
    void SetNormalBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex); }
    void SetFocusedBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex + 1); }
    void SetDisabledBmp(TBitmap* bitmap) { SetBitmap(bitmap, m_firstIndex + 2); }

    bool LoadBitmaps(const std::string& folder, const std::string& normal, const std::string& focused,
                     const std::string& disabled);

protected:
    void AssignTo(TPersistent* destination) override;

private:
    int m_firstIndex;
};

// The unchecked (images 0-3), checked (4-7) and grayed (8-11) groups.
class KyChkBoxAppearance : public TPersistent {
public:
    explicit KyChkBoxAppearance(KyCustomControl* control);

    KyFourStateAppearance* Check() { return &m_check; }
    KyFourStateAppearance* Uncheck() { return &m_uncheck; }
    KyFourStateAppearance* Gray() { return &m_gray; }
    void SetCheck(KyFourStateAppearance* value) { m_check.Assign(value); }
    void SetUncheck(KyFourStateAppearance* value) { m_uncheck.Assign(value); }
    void SetGray(KyFourStateAppearance* value) { m_gray.Assign(value); }

protected:
    void AssignTo(TPersistent* destination) override;

private:
    KyFourStateAppearance m_check;
    KyFourStateAppearance m_uncheck;
    KyFourStateAppearance m_gray;
};

// The unchecked (images 0-3) and checked (4-7) groups.
class KyRadioBtnAppearance : public KyCtrlAppearance {
public:
    explicit KyRadioBtnAppearance(KyCustomControl* control);

    KyFourStateAppearance* Check() { return &m_check; }
    KyFourStateAppearance* Uncheck() { return &m_uncheck; }
    void SetCheck(KyFourStateAppearance* value) { m_check.Assign(value); }
    void SetUncheck(KyFourStateAppearance* value) { m_uncheck.Assign(value); }

protected:
    void AssignTo(TPersistent* destination) override;

private:
    KyFourStateAppearance m_check;
    KyFourStateAppearance m_uncheck;
};
