#include "framework/ComCtrls.h"

#include "framework/Published.h"
#include "framework/Scale.h"
#include "platform/Utf8.h"

#include <commctrl.h>

void TStatusBar::CreateParams(WindowParams& params) {
    params.className = STATUSCLASSNAMEW;
    // The bar is placed by alignment like any control, not by the common-controls rules.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() {
    TWinControl::HandleCreated();
    UpdateParts();
}

void TStatusBar::UpdateParts() {
    if (!HandleAllocated() || panels_.empty()) {
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        right += panels_[i].width;
        edges.push_back(i + 1 == panels_.size() ? -1 : right);
    }
    SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < panels_.size(); ++i) {
        ShowPanelText(i);
    }
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
    if (panels_.at(index).text != text) {
        panels_[index].text = text;
        ShowPanelText(index);
    }
}

void TStatusBar::ShowPanelText(size_t index) {
    if (HandleAllocated()) {
        std::wstring text = platform::Utf8ToWide(panels_[index].text);
        SendMessageW(Handle(), SB_SETTEXTW, index, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::ChangeScale(int dpi, int previousDpi) {
    TWinControl::ChangeScale(dpi, previousDpi);
    for (Panel& panel : panels_) {
        panel.width = ScaleLength(panel.width, dpi, previousDpi);
    }
    UpdateParts();
}

bool TStatusBar::SetPublished(const PropertyItem& property, FormReader& reader) {
    static constexpr PublishedProperty kPublished[] = {
        Property<&TStatusBar::ReadPanels>("Panels"),
    };
    return SetFromTable(*this, kPublished, property, reader) ||
           TWinControl::SetPublished(property, reader);
}

void TStatusBar::ReadPanels(const PropertyValue& value, FormReader&) {
    if (value.kind != PropertyValue::Kind::Collection) {
        ThrowReadError(value.line, "collection de volets attendue");
    }
    panels_.clear();
    for (const auto& item : value.collection) {
        Panel panel;
        for (const PropertyItem& field : item) {
            if (field.name == "Width") {
                panel.width = field.value.AsInteger();
            } else if (field.name == "Text") {
                panel.text = field.value.AsString();
            } else {
                ThrowReadError(field.value.line,
                               "propriété de volet inconnue « " + field.name + " »");
            }
        }
        panels_.push_back(panel);
    }
    UpdateParts();
}
