#include "framework/FormText.h"

#include "framework/Exceptions.h"

#include <cctype>

[[noreturn]] void ThrowReadError(int line, const std::string& message) {
    throw EReadError("Ressource de fiche, ligne " + std::to_string(line) + " : " + message);
}

int32_t PropertyValue::AsInteger() const {
    if (kind != Kind::Integer) {
        ThrowReadError(line, "nombre entier attendu");
    }
    if (integer < INT32_MIN || integer > INT32_MAX) {
        ThrowReadError(line, "nombre hors limites");
    }
    return static_cast<int32_t>(integer);
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
    if (word == "True" || word == "true") {
        return true;
    }
    if (word == "False" || word == "false") {
        return false;
    }
    ThrowReadError(line, "True ou False attendu");
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::unique_ptr<ObjectNode> ParseRoot() {
        auto root = ParseObject();
        SkipBlanks();
        if (pos_ < text_.size()) {
            ThrowReadError(line_, "texte après la fin de la fiche");
        }
        return root;
    }

private:
    std::unique_ptr<ObjectNode> ParseObject() {
        SkipBlanks();
        ExpectWord("object");
        auto node = std::make_unique<ObjectNode>();
        node->line = line_;
        node->name = ReadName();
        SkipSpaces();
        Expect(':');
        node->className = ReadName();
        EndOfLine();
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size()) {
                ThrowReadError(line_, "« end » manquant pour " + node->name);
            }
            std::string word = PeekName();
            if (word == "end") {
                ReadName();
                EndOfLine();
                return node;
            }
            if (word == "object") {
                node->children.push_back(ParseObject());
                continue;
            }
            if (!node->children.empty()) {
                ThrowReadError(line_, "propriété après les composants de " + node->name);
            }
            node->properties.push_back(ParseProperty());
        }
    }

    PropertyItem ParseProperty() {
        PropertyItem item;
        item.name = ReadName();
        while (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            item.name += '.';
            item.name += ReadName();
        }
        SkipSpaces();
        Expect('=');
        item.value = ParseValue();
        EndOfLine();
        return item;
    }

    PropertyValue ParseValue() {
        SkipSpaces();
        PropertyValue value;
        value.line = line_;
        if (pos_ >= text_.size()) {
            ThrowReadError(line_, "valeur manquante");
        }
        char c = text_[pos_];
        if (c == '\'') {
            value.kind = PropertyValue::Kind::String;
            value.text = ReadQuoted();
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            value.kind = PropertyValue::Kind::Integer;
            value.integer = ReadInteger();
        } else if (c == '[') {
            value.kind = PropertyValue::Kind::Set;
            ++pos_;
            SkipSpaces();
            while (pos_ < text_.size() && text_[pos_] != ']') {
                value.members.push_back(ReadName());
                SkipSpaces();
                if (pos_ < text_.size() && text_[pos_] == ',') {
                    ++pos_;
                    SkipSpaces();
                }
            }
            Expect(']');
        } else if (c == '<') {
            value.kind = PropertyValue::Kind::Collection;
            ++pos_;
            ParseCollection(value);
        } else {
            value.kind = PropertyValue::Kind::Identifier;
            value.text = ReadName();
        }
        return value;
    }

    void ParseCollection(PropertyValue& value) {
        for (;;) {
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '>') {
                ++pos_;
                return;
            }
            ExpectWord("item");
            std::vector<PropertyItem> properties;
            for (;;) {
                SkipBlanks();
                if (PeekName() == "end") {
                    ReadName();
                    break;
                }
                properties.push_back(ParseProperty());
            }
            value.collection.push_back(std::move(properties));
        }
    }

    std::string ReadQuoted() {
        std::string result;
        for (;;) {
            Expect('\'');
            while (pos_ < text_.size() && text_[pos_] != '\'' && text_[pos_] != '\n') {
                result += text_[pos_++];
            }
            Expect('\'');
            // A doubled quote stands for one quote inside the string.
            if (pos_ < text_.size() && text_[pos_] == '\'') {
                result += '\'';
                continue;
            }
            return result;
        }
    }

    int64_t ReadInteger() {
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        if (pos_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            ThrowReadError(line_, "nombre mal formé");
        }
        int64_t number = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            number = number * 10 + (text_[pos_++] - '0');
            if (number > (int64_t{1} << 40)) {
                ThrowReadError(line_, "nombre hors limites");
            }
        }
        return negative ? -number : number;
    }

    static bool IsNameChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    }

    std::string PeekName() {
        size_t end = pos_;
        while (end < text_.size() && IsNameChar(text_[end])) {
            ++end;
        }
        return std::string(text_.substr(pos_, end - pos_));
    }

    std::string ReadName() {
        SkipSpaces();
        std::string name = PeekName();
        if (name.empty()) {
            ThrowReadError(line_, "nom attendu");
        }
        pos_ += name.size();
        return name;
    }

    void ExpectWord(const char* word) {
        if (ReadName() != word) {
            ThrowReadError(line_, std::string("« ") + word + " » attendu");
        }
    }

    void Expect(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) {
            ThrowReadError(line_, std::string("« ") + c + " » attendu");
        }
        ++pos_;
    }

    void SkipSpaces() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) {
            ++pos_;
        }
    }

    void EndOfLine() {
        SkipSpaces();
        if (pos_ < text_.size() && text_[pos_] == '\r') {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] != '\n') {
            ThrowReadError(line_, "fin de ligne attendue");
        }
    }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++pos_;
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::unique_ptr<ObjectNode> ParseFormText(std::string_view text) {
    return Parser(text).ParseRoot();
}
