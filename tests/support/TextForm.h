#pragma once
// A window built from form text given by the test, with a close handler that the text may name,
// for the store's rules on windows other than the program's own.

#include "framework/Forms.h"

#include <string_view>

class TextForm : public TForm {
public:
    explicit TextForm(TComponent* owner);
    const char* ClassName() const override { return "TTextForm"; }

    // Builds a window owned by `owner` from `text`, whose root object is of class TTextForm.
    static TextForm* Build(TComponent* owner, std::string_view text);

    // Named by the text as "OnClose = FormClose"; hands the call on to whileClosing.
    void FormClose(TObject* sender, TCloseAction& action);

    TCloseEvent whileClosing;
};
