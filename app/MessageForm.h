#pragma once
// The hidden message window "ZendrixHelp": the meeting point where the main
// window and the core-unlock monitor exchange the core-unlock state. It is
// created at start-up and never shown; its window exists from construction
// so that the other windows can find it.

#include "platform/vcl/Form.h"

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner);
};

// The program's message form, set when the application creates it.
extern TMessageForm* MessageForm;
