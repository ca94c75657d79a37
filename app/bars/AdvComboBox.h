#pragma once
// The profile box of the main window: a skinned drop-down list drawn from
// images and built from plain controls (no system combo box). The box shows
// the chosen item's text; its button opens a borderless panel with an
// owner-drawn list under it. A click anywhere else while the list is open,
// or the program losing the foreground, closes the list; that click is
// swallowed.

#include <memory>
#include <string>
#include <vector>

#include "app/bars/AdvControl.h"
#include "app/bars/BarHost.h"
#include "app/controls/AlphaButton.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/ListBox.h"
#include "platform/vcl/StdCtrls.h"
#include "vessa/widget/layout/Source/ListBoxLayout.h"

class KyImage;

class AdvComboBox : public AdvControl {
public:
    // Builds the box on the host's window with the body's corner at
    // (left, top), its drop-down from the host's combo-box pictures, and
    // hooks the application's message and deactivation events.
    AdvComboBox(BarHost& host, int left, int top);
    // Frees its controls and gives the application its handlers back.
    ~AdvComboBox() override;

    int GetLeft() const override;
    int GetTop() const override;
    bool IsVisible() const override;
    // Every control but the drop-down takes `visible`; an open list closes
    // first, so the box is always shown closed.
    void SetVisible(bool visible) override;
    // The box's bottom edge.
    int GetHeight() const override;

    TStrings* GetItems() { return m_listBox->Items(); }
    int GetItemIndex() { return m_listBox->ItemIndex(); }
    // Chooses item `index` (-1: none, with an empty text) and tells the
    // change callback. The current index, or one outside the list, changes
    // nothing.
    void SetItemIndex(int index);
    std::string GetText() const { return m_textLabel->Text(); }
    void SetCaption(const std::string& caption) { m_captionLabel->SetText(caption); }

    bool IsOpen() const { return m_dropPanel->Visible(); }
    void Open();
    void Close();

    // Called with the list box: when the list opens (to fill it), and when
    // the chosen index changes.
    TNotifyEvent OnDropDown;
    TNotifyEvent OnChange;

    KyImage* Body() const { return m_body; }
    TLabel* CaptionLabel() const { return m_captionLabel; }
    TLabel* TextLabel() const { return m_textLabel; }
    AlphaButton* DropButton() const { return m_dropButton; }
    TPanel* DropPanel() const { return m_dropPanel; }
    TListBox* ListBox() const { return m_listBox; }

private:
    void BuildLabels(TWinControl* owner);
    void BuildDropDown(TWinControl* owner);
    void PaintDropImage();
    void ShowChosenText(const std::string& text);
    void AddChild(TControl* control) { m_children.push_back(control); }

    void DropButtonMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ApplicationMessage(MSG& message, bool& handled);
    void ApplicationDeactivate(TObject* sender);

    BarHost& m_host;
    std::vector<TControl*> m_children;  // not owned; the drop-down last
    AlphaButton* m_dropButton = nullptr;
    TListBox* m_listBox = nullptr;  // owned by the drop-down panel
    KyImage* m_body = nullptr;
    TImage* m_dropImage = nullptr;  // owned by the drop-down panel
    std::unique_ptr<TBitmap> m_bodyNormal;
    std::unique_ptr<TBitmap> m_bodyOpen;
    TLabel* m_captionLabel = nullptr;
    TLabel* m_textLabel = nullptr;
    TPanel* m_dropPanel = nullptr;
    std::unique_ptr<vessa::TCustomListBoxLayout> m_listLayout;
    TMessageEvent m_previousOnMessage;
    TNotifyEvent m_previousOnDeactivate;
};
