#include "profiledialog/Director.h"

#include <algorithm>
#include <cstring>

#include "ocapi/ZxOcLib.h"
#include "profiledialog/AskDialog.h"
#include "profiledialog/DovrelForms.h"
#include "profiledialog/FormPicture.h"
#include "profiledialog/ProfileDialog.h"
#include "profiledialog/ShadowForms.h"
#include "vessa/System/ForegroundWindow.h"
#include "vessa/System/KyMultiLang.h"
#include "vessa/fileutl/Source/PathUtility.h"
#include "vessa/fileutl/Source/WinFileFind.h"

namespace {

constexpr TColor kButtonTextColor = 0xCCCCCC;
constexpr TColor kButtonActiveTextColor = 0xFDE69B;
constexpr TColor kListHighlightColor = 0xC75080;
constexpr const char kProfileExtension[] = ".oc";

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

IsWow64ProcessFunction IsWow64ProcessEntry()
{
    static const auto entry = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process")));
    return entry;
}
// Looked up when the library is loaded.
const IsWow64ProcessFunction kIsWow64AtLoad = IsWow64ProcessEntry();

std::string AnsiLower(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool IsReservedDeviceName(const std::string& name)
{
    // "CON.oc" would open the console, not a file.
    std::string base = AnsiLower(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kDevices[] = {"con", "prn", "aux", "nul"};
    for (const char* device : kDevices)
        if (base == device)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

Director& Director::Instance()
{
    static Director* instance = new Director;
    return *instance;
}

Director::~Director() = default;

void Director::LoadBlendedPicture(const std::string& file, TBitmap* bitmap, int x, int y)
{
    dovrel::LoadSkin(file, bitmap);
    dovrel::BlendOntoBackground(bitmap, m_dialog->Background->Picture()->Bitmap(), x, y);
}

void Director::CreateSkinButton(KyButtonTx*& button, TWinControl* parent, int x, int y, const std::string* pictures,
                                const std::string& text, const std::string& hint, bool handCursor)
{
    button = new KyButtonTx(parent);
    button->SetParent(parent);
    TBitmap picture;
    void (KyFourStateAppearance::*const setters[])(TBitmap*) = {
        &KyFourStateAppearance::SetRaisedBmp, &KyFourStateAppearance::SetSunkenBmp,
        &KyFourStateAppearance::SetFocusedBmp, &KyFourStateAppearance::SetDisabledBmp};
    for (int i = 0; i < 4; ++i) {
        if (pictures[i].empty())
            continue;
        LoadBlendedPicture(pictures[i], &picture, x, y);
        (button->Appearance()->*setters[i])(&picture);
    }
    button->SetLeft(x);
    button->SetTop(y);
    if (!text.empty())
        button->SetCaption(text);
    if (!hint.empty()) {
        button->SetHint(hint);
        button->SetShowHint(true);
    }
    if (handCursor)
        button->SetCursor(crHandPoint);
    button->SetVisible(true);
    if (dovrel::IsJapanese())
        button->Font()->SetCharset(vessa::kJapaneseCharSet);
}

void Director::StyleButton(KyButtonTx* button)
{
    button->Font()->SetName("Arial");
    button->Font()->SetColor(kButtonTextColor);
    button->FontColors()->SetFocused(kButtonActiveTextColor);
    button->FontColors()->SetSunken(kButtonActiveTextColor);
}

KyImage* Director::CreateSkinImage(TWinControl* parent, const std::string& file, int x, int y)
{
    auto* image = new KyImage(parent);
    image->SetParent(parent);
    image->SetLeft(x);
    image->SetTop(y);
    image->SetAutoSize(true);
    TBitmap picture;
    dovrel::LoadSkin(file, &picture);
    image->Picture()->Assign(&picture);
    image->SetAlphaChannel(true);
    return image;
}

void Director::Build(TProfileDialog* dialog)
{
    m_dialog = dialog;
    const std::string pictures[4] = {"small_button01_n.png", "small_button01_d.png", "small_button01_o.png", ""};
    KyButtonTx* yes = nullptr;
    KyButtonTx* no = nullptr;
    KyButtonTx* ok = nullptr;
    struct Placement {
        KyButtonTx*& button;
        TWinControl* parent;
        int x, y;
        const char* key;
        int modalResult;
    };
    const Placement placements[] = {
        {m_save, dialog, 309, 61, "Save", mrNone},      {m_delete, dialog, 309, 107, "Delete", mrNone},
        {m_cancel, dialog, 309, 153, "Cancel", mrNone}, {yes, AskDialog, 46, 134, "Yes", mrYes},
        {no, AskDialog, 160, 134, "No", mrNo},          {ok, AskDialog, 103, 134, "OK", mrOk},
    };
    for (const Placement& placement : placements) {
        CreateSkinButton(placement.button, placement.parent, placement.x, placement.y, pictures,
                         dovrel::Text(placement.key), "", true);
        placement.button->SetModalResult(placement.modalResult);
        StyleButton(placement.button);
    }
    AskDialog->SetAnswerButtons(yes, no, ok);

    m_typeName = CreateSkinImage(dialog, "type_name.png", 98, 62);
    m_names = CreateSkinImage(dialog, "names.png", 98, 98);
    // The fields lie on the frames.
    dialog->ProfileNameEdit->BringToFront();
    dialog->ProfileNameList->BringToFront();

    m_nameLabel = new TLabel(dialog);
    m_nameLabel->SetParent(dialog);
    m_nameLabel->Font()->SetName("Arial");
    m_nameLabel->Font()->SetHeight(-13);
    m_nameLabel->Font()->SetStyle(fsBold);
    m_nameLabel->Font()->SetColor(0xFFDE67);
    m_nameLabel->SetAutoSize(false);
    m_nameLabel->SetBounds(13, 62, 68, 21);
    m_nameLabel->SetCaption(dovrel::Text("Name"));
    m_nameLabel->SetAlignment(taRightJustify);
    m_nameLabel->SetTransparent(true);

    m_title = new TLabel(dialog);
    m_title->SetParent(dialog);
    m_title->Font()->SetName("Arial");
    m_title->Font()->SetHeight(-15);
    m_title->Font()->SetStyle(fsBold);
    m_title->Font()->SetColor(0xFFFFFF);
    m_title->SetLeft(25);
    m_title->SetTop(16);
    m_title->SetCaption(dovrel::Text("Save Profile"));
    m_title->SetAutoSize(true);
    m_title->SetTransparent(true);

    if (dovrel::IsJapanese()) {
        m_nameLabel->Font()->SetCharset(vessa::kJapaneseCharSet);
        m_title->Font()->SetCharset(vessa::kJapaneseCharSet);
    }

    dialog->ProfileNameList->SetStyle(lbOwnerDrawFixed);
    m_listLayout = std::make_unique<vessa::TCustomListBoxLayout>();
    m_listLayout->SetHighlightColor(kListHighlightColor);
    m_listLayout->Attach(dialog->ProfileNameList);
}

void Director::Wire(TProfileDialog* dialog)
{
    m_cancel->SetModalResult(mrCancel);
    m_delete->OnClick = TNotifyEvent(this, &Director::OnDeleteClick);
    m_save->OnClick = TNotifyEvent(this, &Director::OnSaveClick);
    dialog->ProfileNameList->OnMouseDown = TMouseEvent(this, &Director::OnListMouseDown);
    dialog->ProfileNameEdit->OnChange = TNotifyEvent(this, &Director::OnNameChange);
    dialog->OnShow = TNotifyEvent(this, &Director::OnShow);
}

void Director::OnShow(TObject*)
{
    ProfileShadowForm->FollowDialog();
    RefreshList();
    if (!(ProfileShadowForm->Special() && IsWow64()))
        ProfileShadowForm->Show();
    SetWindowPos(m_dialog->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    vessa::ForceForegroundWindow(m_dialog->Handle());
}

bool Director::IsWow64()
{
    BOOL wow64 = FALSE;
    return kIsWow64AtLoad && kIsWow64AtLoad(GetCurrentProcess(), &wow64) && wow64;
}

void Director::RefreshList()
{
    TStrings* items = m_dialog->ProfileNameList->Items();
    items->Clear();
    items->BeginUpdate();
    const std::string folder = vessa::GetProfileFolder();
    if (!folder.empty()) {  // never list the current directory instead
        vessa::WinFileEnumerater files;
        for (files.Open(folder, false); !files.IsEnd(); files.Next()) {
            const std::string name = files.GetName();
            if (vessa::SameTextString(vessa::ExtractFileExtString(name), kProfileExtension))
                items->Add(vessa::RemoveFileExtString(name));
        }
    }
    items->EndUpdate();
    m_dialog->ProfileNameEdit->SetText("");
    SetSaveDeleteEnabled(false, false);
}

void Director::SetSaveDeleteEnabled(bool save, bool remove)
{
    m_save->SetEnabled(save);
    m_delete->SetEnabled(remove);
}

bool Director::IsValidName(const std::string& name)
{
    return name.size() <= static_cast<size_t>(TProfileDialog::kMaxNameLength) && IsSafeFileName(name);
}

bool Director::IsSafeFileName(const std::string& name)
{
    if (name.empty())
        return false;
    // Anything that would name a path, a stream or a device is refused: a
    // profile is a file of the profile folder and nothing else.
    for (unsigned char c : name)
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c))
            return false;
    if (name.find_first_not_of(". ") == std::string::npos)
        return false;
    return !IsReservedDeviceName(name);
}

std::string Director::ProfilePath(const std::string& name)
{
    const std::string folder = vessa::GetProfileFolder();
    if (folder.empty() || !IsSafeFileName(name))
        return std::string();
    return folder + name + kProfileExtension;
}

int Director::FindInList(const std::string& name)
{
    const std::string wanted = AnsiLower(name);
    TStrings* items = m_dialog->ProfileNameList->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (AnsiLower(items->Get(i)) == wanted)
            return i;
    return -1;
}

void Director::OnNameChange(TObject*)
{
    const std::string name = m_dialog->ProfileNameEdit->Text();
    if (!IsValidName(name)) {
        SetSaveDeleteEnabled(false, false);
        return;
    }
    const int found = FindInList(name);
    m_dialog->ProfileNameList->SetItemIndex(found);
    SetSaveDeleteEnabled(true, found >= 0);
}

void Director::OnListMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    TListBox* list = m_dialog->ProfileNameList;
    const int selected = list->ItemIndex();
    if (selected < 0) {
        m_delete->SetEnabled(false);
        return;
    }
    m_dialog->ProfileNameEdit->SetText(list->Items()->Get(selected));
    m_delete->SetEnabled(true);
}

void Director::OnSaveClick(TObject*)
{
    const std::string name = m_dialog->ProfileNameEdit->Text();
    if (IsValidName(name) && SaveProfileAs(name)) {
        m_dialog->SetModalResult(mrOk);
    }
}

bool Director::SaveProfileAs(const std::string& name)
{
    const std::string path = ProfilePath(name);
    int answer = mrYes;
    if (!path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        answer = AskDialog->AskCentered(dovrel::Text("ReplaceProfile"));
    if (answer != mrYes)
        return false;
    if (path.empty() || ZxOcSaveCurrentDovrel(path.c_str()) == 0) {
        // Nothing was saved: say so, and keep the dialog open so that the
        // caller is not told a profile exists.
        MessageBoxA(nullptr, "Save Profile Error!!", "Zendrix", MB_OK);
        return false;
    }
    return true;
}

void Director::OnDeleteClick(TObject*)
{
    TListBox* list = m_dialog->ProfileNameList;
    const int selected = list->ItemIndex();
    if (selected < 0)
        return;
    DeleteProfile(list->Items()->Get(selected));
    RefreshList();
}

void Director::DeleteProfile(const std::string& name)
{
    if (AskDialog->AskCentered(dovrel::Text("DeleteProfile")) != mrYes)
        return;
    // A listed name that could reach outside the profile folder is left alone.
    const std::string path = ProfilePath(name);
    if (!path.empty())
        DeleteFileA(path.c_str());
}
