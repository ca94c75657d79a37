#include "app/MessageForm.h"

#include "app/ZendrixMessages.h"

TMessageForm* MessageForm = nullptr;

namespace {
constexpr RECT kMessageFormBounds{192, 127, 192 + 232, 127 + 193};
constexpr char kMessageFormFont[] = "MS Sans Serif";
constexpr int kMessageFormFontHeight = -11;
}  // namespace

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner)
{
    SetCaption(kMessageWindowCaption);
    SetBoundsRect(kMessageFormBounds);
    Font()->SetName(kMessageFormFont);
    Font()->SetHeight(kMessageFormFontHeight);
    HandleNeeded();
}
