#pragma once
// The status bar, and the marker of the visual-styles manifest.

#include "framework/Controls.h"

#include <string>
#include <vector>

class TStatusBar : public TWinControl {
public:
    using TWinControl::TWinControl;
    void SetPanelText(int index, const std::string& text);
    void ChangeScale(int dpi, int previousDpi) override;
    bool SetPublished(const PropertyItem& property, FormReader& reader) override;

protected:
    void CreateParams(WindowParams& params) override;
    void HandleCreated() override;

private:
    struct Panel {
        int width = 50;
        std::string text;
    };
    void UpdateParts();
    void ShowPanelText(size_t index);
    void ReadPanels(const PropertyValue& value, FormReader& reader);
    std::vector<Panel> panels_;
};

// Stands for the manifest that asks for version 6 of the common controls; nothing at run time.
class TXPManifest : public TComponent {
public:
    using TComponent::TComponent;
};
