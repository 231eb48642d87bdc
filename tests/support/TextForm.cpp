#include "support/TextForm.h"

#include "controls/Spin.h"
#include "settings/SvgEditIni.h"

TextForm::TextForm(TComponent* owner) : TForm(owner) {
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.Register<TSpinEdit>("TSpinEdit");
    registry.Register<TSvgEditIni>("TSvgEditIni");
    PublishHandlers({{"FormClose", &TextForm::FormClose}});
}

TextForm* TextForm::Build(TComponent* owner, std::string_view text) {
    auto* form = new TextForm(owner);
    try {
        form->LoadFromText(text);
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

void TextForm::FormClose(TObject* sender, TCloseAction& action) {
    Fire(whileClosing, sender, action);
}
