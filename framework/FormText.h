#pragma once
// The text of a form resource, parsed: nested `object Name: Class` ... `end` blocks, each opening
// with `Property = value` lines.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct PropertyItem;

// One value on the right of `Property = value`.
struct PropertyValue {
    enum class Kind { Integer, String, Identifier, Set, Collection };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    std::string text;                                   // String and Identifier
    std::vector<std::string> members;                   // Set
    std::vector<std::vector<PropertyItem>> collection;  // Collection: one property list per item
    int line = 0;

    // Each accessor raises EReadError, naming the line, when the value is of another kind.
    int32_t AsInteger() const;
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    bool AsBoolean() const;
};

struct PropertyItem {
    std::string name;
    PropertyValue value;
};

struct ObjectNode {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<PropertyItem> properties;
    std::vector<std::unique_ptr<ObjectNode>> children;
};

// Parses a whole form resource; raises EReadError with the line number on malformed text.
std::unique_ptr<ObjectNode> ParseFormText(std::string_view text);

[[noreturn]] void ThrowReadError(int line, const std::string& message);
