#pragma once
// Components: named objects owned by another component, created from form resources.

#include "framework/Classes.h"

#include <string>
#include <string_view>
#include <vector>

struct PropertyItem;
struct PropertyValue;
class FormReader;

enum class TOperation { opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    TComponent* Owner() const { return owner_; }
    // Owned components, in creation order.
    const std::vector<TComponent*>& Components() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;

    bool IsLoading() const { return loading_; }

    void BeginLoading() { loading_ = true; }
    // The end-of-loading notification: every property of the resource has been read.
    virtual void Loaded();
    // Told when a sibling or an owned component goes.
    virtual void Notification(TComponent*, TOperation) {}

    // Takes a component that the form resource nests inside this one's block.
    virtual void SetParentComponent(TComponent* parent);
    // A control has a place on a parent; a non-visual component sits on the form without one.
    virtual bool HasParent() const { return false; }

    // Raises EReadError for a name that the class does not publish.
    void SetProperty(const PropertyItem& property, FormReader& reader);

protected:
    // False when neither the class nor one it derives from publishes the property.
    virtual bool SetPublished(const PropertyItem&, FormReader&) { return false; }
    // Destroys the owned components, last-created first.
    void DestroyComponents();

private:
    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    bool loading_ = false;
};

template <typename T>
T* As(TComponent* component) {
    return dynamic_cast<T*>(component);
}
