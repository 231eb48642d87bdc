#pragma once
// Builds a form and its components from the form resource's text.

#include "framework/FormText.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <vector>

class TComponent;

using ComponentFactory = TComponent* (*)(TComponent* owner);

// The classes that a form resource may name.
class ClassRegistry {
public:
    static ClassRegistry& Instance();

    template <typename T>
    void Register(const std::string& className) {
        factories_[className] = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
    ComponentFactory Find(const std::string& className) const {
        auto found = factories_.find(className);
        return found != factories_.end() ? found->second : nullptr;
    }

private:
    std::map<std::string, ComponentFactory> factories_;
};

// What the reader needs of the form it fills, besides the component that the form is.
class FormRoot {
public:
    // The class that the resource's root object must name.
    virtual const char* ClassName() const = 0;
    // The form's handler of that name, bound to it as the event of its signature; empty when
    // there is none.
    virtual std::any FindMethod(const std::string& name) = 0;
    // Points the form's field of that name at the component; false when its type does not fit.
    virtual bool BindField(const std::string& name, TComponent* component) = 0;

protected:
    ~FormRoot() = default;
};

class FormReader {
public:
    FormReader(TComponent& root, FormRoot& form) : root_(root), form_(form) {}

    // Creates every component with its properties. A handler is bound as it is read, before the
    // components that follow are made; a reference to a component, which may come later, once
    // every component is read.
    void Read(const ObjectNode& rootNode);

    // A property that names another component; `assign` receives it at the end of the reading
    // and answers whether it is of the property's type.
    void Reference(const PropertyValue& value, std::function<bool(TComponent*)> assign) {
        references_.push_back({value.line, value.AsIdentifier(), std::move(assign)});
    }

    // The form's method that an event property names, of the event's own signature.
    template <typename Event>
    Event Method(const PropertyValue& value) {
        const std::any method = form_.FindMethod(value.AsIdentifier());
        if (!method.has_value()) {
            ThrowReadError(value.line, "méthode inconnue « " + value.text + " »");
        }
        if (const auto* event = std::any_cast<Event>(&method)) {
            return *event;
        }
        ThrowReadError(value.line, "« " + value.text + " » n'a pas la signature de l'événement");
    }

private:
    void ReadChild(const ObjectNode& node, TComponent* parent);

    struct PendingReference {
        int line;
        std::string name;
        std::function<bool(TComponent*)> assign;
    };

    TComponent& root_;
    FormRoot& form_;
    std::vector<PendingReference> references_;
};
