#include "framework/PropertyValues.h"

#include "framework/Controls.h"

#include <utility>

TAlign AlignValue(const PropertyValue& value) {
    static const std::pair<const char*, TAlign> kAligns[] = {
        {"alNone", TAlign::alNone},   {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
        {"alLeft", TAlign::alLeft},   {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
    };
    const std::string& name = value.AsIdentifier();
    for (const auto& [text, align] : kAligns) {
        if (name == text) {
            return align;
        }
    }
    ThrowReadError(value.line, "alignement inconnu « " + name + " »");
}

TColor ColorValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) {
        return static_cast<TColor>(value.integer);
    }
    static const std::pair<const char*, TColor> kColors[] = {
        {"clBlack", clBlack},         {"clWhite", clWhite},
        {"clRed", clRed},             {"clGreen", clGreen},
        {"clNavy", clNavy},           {"clOlive", clOlive},
        {"clBtnFace", clBtnFace},     {"clWindowText", clWindowText},
        {"clWindow", clWindow},       {"clWindowFrame", clWindowFrame},
    };
    const std::string& name = value.AsIdentifier();
    for (const auto& [text, color] : kColors) {
        if (name == text) {
            return color;
        }
    }
    ThrowReadError(value.line, "couleur inconnue « " + name + " »");
}
