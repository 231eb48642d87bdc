#pragma once
// Enumerated values and colours as a form resource names them.

#include "framework/Colors.h"
#include "framework/FormText.h"

#include <string>
#include <utility>

// The enumerator that a resource names, from a table of names; `what` words the error.
template <typename Enum, size_t N>
Enum EnumValue(const PropertyValue& value, const std::pair<const char*, Enum> (&names)[N],
               const char* what) {
    const std::string& name = value.AsIdentifier();
    for (const auto& [text, enumerator] : names) {
        if (name == text) {
            return enumerator;
        }
    }
    ThrowReadError(value.line, std::string(what) + " inconnu « " + name + " »");
}

// A colour given by its name (clRed, clBtnFace, ...) or as a number.
TColor ColorValue(const PropertyValue& value);
