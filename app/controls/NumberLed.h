#pragma once
// One digit position of a number read-out: a KyImage that shows one picture
// of a digit family. A family is a folder of PNG pictures under the skin
// folder, read once per process into 32-bit bitmaps that are never freed:
//
//   entries 0-9    the digits 0-9
//   entries 10-19  the same digits in the highlighted look   (some families)
//   entry 20       the decimal point                         (some families)
//   entry 21       the highlighted decimal point             (some families)
//
// A picture file that is missing or does not decode leaves its entry an
// empty bitmap, and a position showing it has size 0; a run of read-outs
// with a hole in it is better than a program that does not start.

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/Bitmap.h"

class KyImage;
class TWinControl;

// The pictures of one family in entry order.
using DigitBitmaps = std::vector<std::unique_ptr<TBitmap>>;

class NumberLed {
public:
    NumberLed() = default;
    // Deletes the image. A position goes before the control that owns its
    // image (which would otherwise delete the image first).
    virtual ~NumberLed();
    NumberLed(const NumberLed&) = delete;
    NumberLed& operator=(const NumberLed&) = delete;

    // The family's folder below the skin folder, with its trailing "\".
    virtual void GetFolder(std::string& folder) const = 0;
    // The family's shared pictures; null until LoadBitmaps has run.
    virtual DigitBitmaps* GetBitmaps() const = 0;
    // Reads the family's pictures unless they are read already.
    virtual void LoadBitmaps() = 0;

    // Reads the family, then makes the image: a 32-bit, auto-sized,
    // opaque-styled KyImage with per-pixel alpha, owned by and parented to
    // `owner`, showing digit 0. Being opaque-styled, a changed image does
    // not have its parent's background erased beneath it: the parent
    // should paint double-buffered, or a new digit blends over the old.
    void Create(TWinControl* owner);

    // Shows entry `index` of the family; the image takes that picture's
    // size. An index outside the family's entries (or before Create) shows
    // nothing: the image becomes empty, Digit() -1, and the result false.
    bool SetDigit(int index);
    // The entry shown; -1 before the first SetDigit or after a refused one.
    int Digit() const { return m_digit; }
    // The number of entries the family has (0 before its pictures are read).
    int EntryCount() const;

    KyImage* Image() const { return m_image; }
    int Left() const;
    int Top() const;
    int Width() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetVisible(bool visible);

    // The skin folder: the program folder's "Resource\", with its "\".
    static std::string SkinFolder();
    // Reads the PNG file `path` into `bitmap` (made 32-bit). A missing or
    // undecodable file leaves the bitmap empty, is reported
    // (UnreadableFile::Report) and gives false.
    static bool LoadSkinPicture(const std::string& path, TBitmap* bitmap);

protected:
    // Fills `bitmaps` once: `digitFiles` pictures "%02d.png", then, with
    // `points`, "Point1.png" and "Point2.png", from this family's folder.
    void LoadFamily(DigitBitmaps*& bitmaps, int digitFiles, bool points) const;

private:
    KyImage* m_image = nullptr;
    int m_digit = -1;
};

// A family given by its folder and files; its pictures live in `bitmaps`,
// one process-wide pointer per family.
class DigitFamilyLed : public NumberLed {
public:
    void GetFolder(std::string& folder) const override { folder = m_folder; }
    DigitBitmaps* GetBitmaps() const override { return m_bitmaps; }
    void LoadBitmaps() override { LoadFamily(m_bitmaps, m_digitFiles, m_points); }

protected:
    DigitFamilyLed(const char* folder, int digitFiles, bool points, DigitBitmaps*& bitmaps)
        : m_folder(folder), m_digitFiles(digitFiles), m_points(points), m_bitmaps(bitmaps)
    {
    }

private:
    const char* m_folder;
    int m_digitFiles;
    bool m_points;
    DigitBitmaps*& m_bitmaps;
};

// "Numbers\": 00-19, Point1, Point2.
class LargeNumberLed : public DigitFamilyLed {
public:
    LargeNumberLed();
};

// "Small_Numbers\": 00-09.
class SmallNumberLed : public DigitFamilyLed {
public:
    SmallNumberLed();
};

// "Green\": 00-09.
class GreenNumberLed : public DigitFamilyLed {
public:
    GreenNumberLed();
};

// "Middle_Numbers\": 00-19, Point1, Point2.
class MiddleNumberLed : public DigitFamilyLed {
public:
    MiddleNumberLed();
};
