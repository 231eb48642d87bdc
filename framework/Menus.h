#pragma once
// Popup menus and their items. Commands of a shown menu come back to one window of the
// framework, which runs the chosen item's OnClick.

#include "framework/Component.h"

#include <windows.h>

#include <string>
#include <vector>

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool IsSeparator() const { return caption_ == "-"; }
    UINT Command() const { return command_; }
    void Click();

    TNotifyEvent OnClick;

    void SetParentComponent(TComponent* parent) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

private:
    std::string caption_;
    UINT command_;
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;

    // An item of the same owner, which the menu forgets when it goes.
    void Add(TMenuItem* item);
    void Notification(TComponent* component, TOperation operation) override;

    // Shows the menu at (x, y) until it closes; true when the user chose a command, which then
    // comes to its item as a posted message.
    bool Popup(int x, int y);
    // The same beside `anchor`, which the menu leaves visible: below it, or above it.
    bool PopupBeside(const RECT& anchor);
    // The window that receives the commands of shown menus.
    static HWND CommandWindow();

private:
    bool Track(int x, int y, const RECT* anchor);

    std::vector<TMenuItem*> items_;
};
