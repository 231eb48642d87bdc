#include "framework/FormReader.h"

#include "framework/Component.h"

ClassRegistry& ClassRegistry::Instance() {
    static ClassRegistry registry;
    return registry;
}

void FormReader::Read(const ObjectNode& rootNode) {
    if (rootNode.className != form_.ClassName()) {
        ThrowReadError(rootNode.line, "la fiche décrit « " + rootNode.className + " », pas « " +
                                          form_.ClassName() + " »");
    }
    root_.SetName(rootNode.name);
    for (const PropertyItem& property : rootNode.properties) {
        root_.SetProperty(property, *this);
    }
    for (const auto& child : rootNode.children) {
        ReadChild(*child, &root_);
    }
    for (const PendingReference& reference : references_) {
        TComponent* component = root_.FindComponent(reference.name);
        if (component == nullptr) {
            ThrowReadError(reference.line, "composant inconnu « " + reference.name + " »");
        }
        if (!reference.assign(component)) {
            ThrowReadError(reference.line,
                           "« " + reference.name + " » n'est pas du type de la propriété");
        }
    }
}

void FormReader::ReadChild(const ObjectNode& node, TComponent* parent) {
    ComponentFactory factory = ClassRegistry::Instance().Find(node.className);
    if (factory == nullptr) {
        ThrowReadError(node.line, "classe inconnue « " + node.className + " »");
    }
    if (root_.FindComponent(node.name) != nullptr) {
        ThrowReadError(node.line, "nom en double « " + node.name + " »");
    }
    TComponent* component = factory(&root_);
    component->SetName(node.name);
    component->BeginLoading();
    // Non-visual components sit on the form without a parent; everything else is placed in
    // the block that encloses it.
    if (parent != &root_ || component->HasParent()) {
        component->SetParentComponent(parent);
    }
    if (!form_.BindField(node.name, component)) {
        ThrowReadError(node.line, "« " + node.name + " » n'est pas du type de son champ");
    }
    for (const PropertyItem& property : node.properties) {
        component->SetProperty(property, *this);
    }
    for (const auto& child : node.children) {
        ReadChild(*child, component);
    }
}
