#include "framework/Component.h"

#include "framework/Exceptions.h"
#include "framework/FormText.h"

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) {
        owner->Insert(this);
    }
}

TComponent::~TComponent() {
    DestroyComponents();
    if (owner_ != nullptr) {
        owner_->Remove(this);
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        delete components_.back();
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* component : components_) {
        if (!name.empty() && component->Name() == name) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::Loaded() {
    loading_ = false;
}

void TComponent::SetParentComponent(TComponent* parent) {
    if (parent != nullptr) {
        throw EReadError("« " + parent->Name() + " » ne peut pas contenir « " + Name() + " »");
    }
}

void TComponent::SetProperty(const PropertyItem& property, FormReader& reader) {
    if (!SetPublished(property, reader)) {
        ThrowReadError(property.value.line, "propriété inconnue « " + property.name + " »");
    }
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
    // Everyone who may hold a reference to the leaving component hears of it.
    Notification(component, TOperation::opRemove);
    for (TComponent* sibling : components_) {
        sibling->Notification(component, TOperation::opRemove);
    }
}
