#include "framework/Menus.h"

#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/Published.h"
#include "framework/Window.h"
#include "platform/Facets.h"
#include "platform/Utf8.h"
#include "platform/WindowManager.h"

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), command_(MessageWindow::Instance().Add([this] { Click(); })) {}

TMenuItem::~TMenuItem() {
    MessageWindow::Instance().Remove(command_);
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

void TPopupMenu::Add(TMenuItem* item) {
    items_.push_back(item);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) {
        std::erase(items_, component);
    }
}

bool TPopupMenu::Popup(int x, int y) {
    return Track(x, y, nullptr);
}

bool TPopupMenu::PopupBeside(const RECT& anchor) {
    const bool dropsLeft = platform::Current().windows->MenusDropLeft();
    return Track(dropsLeft ? anchor.right : anchor.left, anchor.bottom, &anchor);
}

bool TPopupMenu::Track(int x, int y, const RECT* anchor) {
    OwnedMenu menu(CreatePopupMenu());
    if (!menu) {
        throw Exception("Impossible de créer le menu");
    }
    for (TMenuItem* item : items_) {
        if (item->IsSeparator()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.get(), MF_STRING, item->Command(),
                        platform::Utf8ToWide(item->Caption()).c_str());
        }
    }
    // Where the user's menus drop to the left, the menu's right edge goes at the point.
    UINT flags = platform::Current().windows->MenusDropLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TPMPARAMS around{sizeof around, {}};
    if (anchor != nullptr) {
        // Kept off the anchor, the menu gives way up or down before it gives way sideways.
        around.rcExclude = *anchor;
        flags |= TPM_VERTICAL;
    }
    // The chosen command is asked for, to tell a menu closed without one, and then posted as
    // the system would have posted it.
    const UINT command = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), flags | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, CommandWindow(),
                         anchor != nullptr ? &around : nullptr));
    if (command == 0) {
        return false;
    }
    PostMessageW(CommandWindow(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

HWND TPopupMenu::CommandWindow() {
    return MessageWindow::Instance().Handle();
}
