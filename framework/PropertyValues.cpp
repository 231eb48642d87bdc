#include "framework/PropertyValues.h"

namespace {

int NamedValue(const std::string& name, int line, const Enumeration& enumeration) {
    for (const EnumName& entry : enumeration.names) {
        if (name == entry.name) {
            return entry.value;
        }
    }
    ThrowReadError(line, std::string(enumeration.what) + " inconnu « " + name + " »");
}

constexpr EnumName kColorNames[] = {
    {"clBlack", clBlack},     {"clWhite", clWhite},
    {"clRed", clRed},         {"clGreen", clGreen},
    {"clNavy", clNavy},       {"clOlive", clOlive},
    {"clBtnFace", clBtnFace}, {"clWindowText", clWindowText},
    {"clWindow", clWindow},   {"clWindowFrame", clWindowFrame},
};

constexpr Enumeration kColors{"nom de couleur", kColorNames};

}  // namespace

int EnumValue(const PropertyValue& value, const Enumeration& enumeration) {
    return NamedValue(value.AsIdentifier(), value.line, enumeration);
}

unsigned SetValue(const PropertyValue& value, const Enumeration& enumeration,
                  const char* expected) {
    if (value.kind != PropertyValue::Kind::Set) {
        ThrowReadError(value.line, expected);
    }
    unsigned members = 0;
    for (const std::string& member : value.members) {
        members |= 1u << NamedValue(member, value.line, enumeration);
    }
    return members;
}

TColor ColorValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) {
        return static_cast<TColor>(value.integer);
    }
    return EnumValue(value, kColors);
}
