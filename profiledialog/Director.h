#pragma once
// The dialog library's controller of the Save Profile dialog: it builds the
// dialog's buttons, images and labels (and the ask dialog's Yes, No and OK
// buttons), and runs listing, saving and deleting the profile files.

#include <memory>
#include <string>

#include "KyPackage/Source/KyButton.h"
#include "KyPackage/Source/KyImage.h"
#include "platform/vcl/Label.h"
#include "vessa/widget/layout/Source/ListBoxLayout.h"

class TProfileDialog;

class Director {
public:
    // The library's one controller: created on first use, never destroyed.
    static Director& Instance();
    ~Director();
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    void Build(TProfileDialog* dialog);
    void Wire(TProfileDialog* dialog);

    void OnShow(TObject* sender);
    void RefreshList();
    void OnNameChange(TObject* sender);
    void OnListMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void OnSaveClick(TObject* sender);
    void OnDeleteClick(TObject* sender);
    // Saves the current settings as profile `name`, after asking when it
    // exists. False keeps the dialog open (replacement declined, or the
    // write failed).
    bool SaveProfileAs(const std::string& name);
    // Deletes profile `name` from the profile folder after asking.
    void DeleteProfile(const std::string& name);
    // The first list entry equal to `name` ignoring case, or -1.
    int FindInList(const std::string& name);
    // A name to save under: 1 to 26 characters, and a safe file name.
    static bool IsValidName(const std::string& name);
    // A name that can only be a file in the profile folder: no path,
    // stream or device.
    static bool IsSafeFileName(const std::string& name);
    static bool IsWow64();

    // The full path of profile `name`; empty when there is no profile
    // folder or the name is not a safe file name.
    static std::string ProfilePath(const std::string& name);

    KyButtonTx* SaveButton() const { return m_save; }
    KyButtonTx* DeleteButton() const { return m_delete; }
    KyButtonTx* CancelButton() const { return m_cancel; }

private:
    Director() = default;
    void CreateSkinButton(KyButtonTx*& button, TWinControl* parent, int x, int y, const std::string* pictures,
                          const std::string& text, const std::string& hint, bool handCursor);
    static void StyleButton(KyButtonTx* button);
    KyImage* CreateSkinImage(TWinControl* parent, const std::string& file, int x, int y);
    void LoadBlendedPicture(const std::string& file, TBitmap* bitmap, int x, int y);
    void SetSaveDeleteEnabled(bool save, bool remove);

    TProfileDialog* m_dialog = nullptr;
    KyButtonTx* m_save = nullptr;
    KyButtonTx* m_delete = nullptr;
    KyButtonTx* m_cancel = nullptr;
    KyImage* m_typeName = nullptr;
    KyImage* m_names = nullptr;
    TLabel* m_title = nullptr;
    TLabel* m_nameLabel = nullptr;
    std::unique_ptr<vessa::TCustomListBoxLayout> m_listLayout;
};
