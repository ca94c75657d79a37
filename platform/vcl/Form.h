#pragma once
// Top-level windows. A form's window is owned by the application window,
// made after construction (on first need), centred on its first showing with
// poScreenCenter. Close hides it, or ends the application for the main form;
// ShowModal runs a nested loop through the application (so OnMessage still
// sees every queued message) with the thread's other windows disabled.

#include <windows.h>

#include <vector>

#include "platform/vcl/GraphicControl.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TScrollBarKind { sbHorizontal, sbVertical };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = TClosure<TObject*, TCloseAction&>;
using TCloseQueryEvent = TClosure<TObject*, bool&>;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Fires OnCreate once; Application->CreateForm calls it, and a form
    // made with `new` gets it on its first Show.
    void AfterConstruction() override;

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    // Kept for the form definitions; this library never rescales a form.
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool scaled) { m_scaled = scaled; }
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);

    void Show();
    void Hide() { SetVisible(false); }
    void Close();
    // Frees the form once the messages already queued are handled.
    void Release();
    TModalResult ShowModal();
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result) { m_modalResult = result; }
    bool IsModal() const { return m_modal; }
    bool Active() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void ShowHandle(bool visible) override;
    void VisibleChanged() override;
    void Paint() override { OnPaint(this); }
    virtual void DoCreate() { OnCreate(this); }
    virtual void DoShow() { OnShow(this); }
    virtual void DoHide() { OnHide(this); }
    virtual void DoClose(TCloseAction& action) { OnClose(this, action); }
    virtual bool CloseQuery();

private:
    void CreateAllHandles(TWinControl* control);
    void PlaceOnFirstShow();
    void CloseModal();

    TFormBorderStyle m_borderStyle = bsSizeable;
    TPosition m_position = poDesigned;
    bool m_scaled = true;
    TFormStyle m_formStyle = fsNormal;
    TModalResult m_modalResult = mrNone;
    bool m_modal = false;
    bool m_created = false;
    bool m_placed = false;
    bool m_freeAfterModal = false;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
