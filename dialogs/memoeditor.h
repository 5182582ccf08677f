#pragma once
// memoeditor.TForm3: the note window of Editor, a read-only text above every other window.
// The unit's name qualifies the class as it does in the library's export table: the program
// has a TForm3 of its own (the power-off countdown).
#include "extctrls.h"
#include "gradientbutton.h"
#include "memo.h"
#include "stdctrls.h"

namespace memoeditor {

class TForm3 : public TForm {
    TK_CLASS(TForm3, TForm)
public:
    explicit TForm3(TComponent* owner);

    TK_COMPONENT(TMemo, Memo1);
    TK_COMPONENT(TGradientButton, GradientButton1);
};

}  // namespace memoeditor
