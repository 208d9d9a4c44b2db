#pragma once
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class Operation { Remove };

// Something with an owner. The owner destroys what it owns in reverse order
// of creation. Links between components are non-owning; each end of a link
// hears once of the other's removal, whichever of them goes first.
class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Creates a component owned by this one.
    template <class T, class... Args>
    T* Make(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = made.get();
        owned_.push_back(std::move(made));
        return raw;
    }
    std::vector<Component*> Components() const;
    Component* FindComponent(const std::string& name) const;

    // Links this component and `other` both ways: whichever is destroyed
    // first calls the other's Notification(it, Remove), once.
    void FreeNotification(Component* other);
    // Undoes the link both ways.
    void RemoveFreeNotification(Component* other);

protected:
    virtual void Notification(Component* component, Operation operation);
    // Runs first in destruction, while the derived object is still whole.
    void DestroyComponents();

private:
    void Release(Component* child);

    Component* owner_;
    std::string name_;
    int tag_ = 0;
    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<Component*> linked_;  // told when this is destroyed, and telling this
    bool destroying_ = false;
};

}  // namespace platform
