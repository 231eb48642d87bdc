#include "framework/Menus.h"

#include "framework/Exceptions.h"
#include "framework/Published.h"
#include "framework/Handles.h"
#include "framework/MessageWindow.h"
#include "framework/Text.h"
#include "platform/Facets.h"
#include "platform/WindowManager.h"

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), command_(MessageWindow::Instance().Add([this] { Click(); })) {}

TMenuItem::~TMenuItem() {
    MessageWindow::Instance().Remove(command_);
    if (menu_ != nullptr) {
        menu_->Remove(this);
    }
}

void TMenuItem::Click() {
    Fire(OnClick, this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) {
        menu->Add(this);
    } else {
        TComponent::SetParentComponent(parent);
    }
}

bool TMenuItem::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TMenuItem::SetCaption>("Caption"),
        Property<&TMenuItem::OnClick>("OnClick"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TComponent::SetPublished(property, reader);
}

TPopupMenu::~TPopupMenu() {
    for (TMenuItem* item : items_) {
        item->menu_ = nullptr;
    }
}

void TPopupMenu::Add(TMenuItem* item) {
    items_.push_back(item);
    item->menu_ = this;
}

void TPopupMenu::Remove(TMenuItem* item) {
    std::erase(items_, item);
    item->menu_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    OwnedMenu menu(CreatePopupMenu());
    if (!menu) {
        throw Exception("Impossible de créer le menu");
    }
    for (TMenuItem* item : items_) {
        if (item->IsSeparator()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.get(), MF_STRING, item->Command(),
                        Utf8ToWide(item->Caption()).c_str());
        }
    }
    // Where the user's menus drop to the left, the menu's right edge goes at the point.
    UINT align = platform::Current().windows->MenusDropLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenu(menu.get(), align | TPM_RIGHTBUTTON, x, y, 0, CommandWindow(), nullptr);
}

HWND TPopupMenu::CommandWindow() {
    return MessageWindow::Instance().Handle();
}
