#pragma once
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class Operation { Insert, Remove };

// Something with an owner. The owner destroys what it owns in reverse order
// of creation; components that asked to hear of another's removal are told
// once, when it is destroyed.
class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }
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

    // Asks `other` to call this->Notification(other, Remove) when it is destroyed.
    void FreeNotification(Component* other);
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
    std::vector<Component*> listeners_;   // told when this is destroyed
    std::vector<Component*> watched_;     // whose removal this listens for
    bool destroying_ = false;
};

}  // namespace platform
