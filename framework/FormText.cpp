#include "framework/FormText.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

[[noreturn]] void ThrowReadError(int line, const std::string& message) {
    throw EReadError("Ressource de fiche, ligne " + std::to_string(line) + " : " + message);
}

namespace {

int NamedValue(const std::string& name, int line, const Enumeration& enumeration) {
    auto found = std::ranges::find(enumeration.names, name, &EnumName::name);
    if (found == enumeration.names.end()) {
        ThrowReadError(line, std::string(enumeration.what) + " inconnu « " + name + " »");
    }
    return found->value;
}

// The colours that the form resource names.
constexpr EnumName kColorNames[] = {
    {"clRed", clRed},         {"clGreen", clGreen},           {"clNavy", clNavy},
    {"clBtnFace", clBtnFace}, {"clWindowText", clWindowText},
};

constexpr Enumeration kColors{"nom de couleur", kColorNames};

}  // namespace

int32_t PropertyValue::AsInteger() const {
    if (kind != Kind::Integer) {
        ThrowReadError(line, "nombre entier attendu");
    }
    return integer;
}

const std::string& PropertyValue::AsString() const {
    if (kind != Kind::String) {
        ThrowReadError(line, "chaîne attendue");
    }
    return text;
}

const std::string& PropertyValue::AsIdentifier() const {
    if (kind != Kind::Identifier) {
        ThrowReadError(line, "identificateur attendu");
    }
    return text;
}

bool PropertyValue::AsBoolean() const {
    const std::string& word = AsIdentifier();
    if (word != "True" && word != "False") {
        ThrowReadError(line, "True ou False attendu");
    }
    return word == "True";
}

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
        return value.integer;
    }
    return EnumValue(value, kColors);
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : rest_(text) {}

    std::unique_ptr<ObjectNode> ParseRoot() {
        auto root = ParseObject();
        SkipBlanks();
        if (!rest_.empty()) {
            ThrowReadError(line_, "texte après la fin de la fiche");
        }
        return root;
    }

private:
    std::unique_ptr<ObjectNode> ParseObject() {
        SkipBlanks();
        Expect("object");
        auto node = std::make_unique<ObjectNode>();
        node->line = line_;
        node->name = ReadName();
        SkipSpaces();
        Expect(":");
        node->className = ReadName();
        EndOfLine();
        for (SkipBlanks(); !Take("end"); SkipBlanks()) {
            if (rest_.empty()) {
                ThrowReadError(line_, "« end » manquant pour " + node->name);
            }
            if (PeekName() == "object") {
                node->children.push_back(ParseObject());
            } else if (!node->children.empty()) {
                ThrowReadError(line_, "propriété après les composants de " + node->name);
            } else {
                node->properties.push_back(ParseProperty());
            }
        }
        EndOfLine();
        return node;
    }

    PropertyItem ParseProperty() {
        PropertyItem item;
        item.name = ReadName();
        while (Take(".")) {
            item.name += '.' + ReadName();
        }
        SkipSpaces();
        Expect("=");
        item.value = ParseValue();
        EndOfLine();
        return item;
    }

    PropertyValue ParseValue() {
        SkipSpaces();
        PropertyValue value;
        value.line = line_;
        if (rest_.empty()) {
            ThrowReadError(line_, "valeur manquante");
        }
        char c = rest_.front();
        if (c == '\'') {
            value.kind = PropertyValue::Kind::String;
            value.text = ReadQuoted();
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            value.kind = PropertyValue::Kind::Integer;
            value.integer = ReadInteger();
        } else if (Take("[")) {
            value.kind = PropertyValue::Kind::Set;
            for (SkipSpaces(); !Take("]"); SkipSpaces()) {
                value.members.push_back(ReadName());
                SkipSpaces();
                Take(",");
            }
        } else if (Take("<")) {
            value.kind = PropertyValue::Kind::Collection;
            for (SkipBlanks(); !Take(">"); SkipBlanks()) {
                Expect("item");
                auto& properties = value.collection.emplace_back();
                for (SkipBlanks(); !Take("end"); SkipBlanks()) {
                    properties.push_back(ParseProperty());
                }
            }
        } else {
            value.kind = PropertyValue::Kind::Identifier;
            value.text = ReadName();
        }
        return value;
    }

    std::string ReadQuoted() {
        std::string result;
        for (;;) {
            Expect("'");
            const size_t length = std::min(rest_.find_first_of("'\n"), rest_.size());
            result += rest_.substr(0, length);
            rest_.remove_prefix(length);
            Expect("'");
            // A doubled quote stands for one quote inside the string.
            if (!rest_.starts_with('\'')) {
                return result;
            }
            result += '\'';
        }
    }

    int32_t ReadInteger() {
        int32_t number = 0;
        auto [stop, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), number);
        if (error == std::errc::result_out_of_range) {
            ThrowReadError(line_, "nombre hors limites");
        }
        if (error != std::errc{}) {
            ThrowReadError(line_, "nombre mal formé");
        }
        rest_.remove_prefix(stop - rest_.data());
        return number;
    }

    static bool IsNameChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    }

    std::string_view PeekName() const {
        return rest_.substr(0, std::ranges::find_if_not(rest_, IsNameChar) - rest_.begin());
    }

    std::string ReadName() {
        SkipSpaces();
        std::string name(PeekName());
        if (name.empty()) {
            ThrowReadError(line_, "nom attendu");
        }
        rest_.remove_prefix(name.size());
        return name;
    }

    void Expect(std::string_view token) {
        if (!Take(token)) {
            ThrowReadError(line_, "« " + std::string(token) + " » attendu");
        }
    }

    // Takes `token` where the text goes on with it: a word only as a whole name.
    bool Take(std::string_view token) {
        if (IsNameChar(token.front()) ? PeekName() != token : !rest_.starts_with(token)) {
            return false;
        }
        rest_.remove_prefix(token.size());
        return true;
    }

    void SkipSpaces() {
        rest_.remove_prefix(std::min(rest_.find_first_not_of(" \t"), rest_.size()));
    }

    void EndOfLine() {
        SkipSpaces();
        Take("\r");
        if (!rest_.empty() && !rest_.starts_with('\n')) {
            ThrowReadError(line_, "fin de ligne attendue");
        }
    }

    void SkipBlanks() {
        for (; !rest_.empty(); rest_.remove_prefix(1)) {
            if (rest_.front() == '\n') {
                ++line_;
            } else if (rest_.front() != ' ' && rest_.front() != '\t' && rest_.front() != '\r') {
                return;
            }
        }
    }

    std::string_view rest_;  // the text not read yet
    int line_ = 1;
};

}  // namespace

std::unique_ptr<ObjectNode> ParseFormText(std::string_view text) {
    return Parser(text).ParseRoot();
}
