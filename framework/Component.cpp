#include "framework/Component.h"

#include "framework/Exceptions.h"
#include "framework/FormText.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner != nullptr) {
        owner->components_.push_back(this);
    }
}

TComponent::~TComponent() {
    DestroyComponents();
    if (owner_ != nullptr) {
        std::erase(owner_->components_, this);
        // Everyone who may hold a reference to the leaving component hears of it.
        owner_->Notification(this, TOperation::opRemove);
        for (TComponent* sibling : owner_->components_) {
            sibling->Notification(this, TOperation::opRemove);
        }
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        delete components_.back();
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    auto found = std::ranges::find(components_, name, &TComponent::Name);
    return !name.empty() && found != components_.end() ? *found : nullptr;
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
