#include "Component.h"

#include <algorithm>

#include "ScopeGuard.h"

namespace platform {

Component::Component(Component* owner) : owner_(owner) {}

Component::~Component() {
    DestroyComponents();
    destroying_ = true;
    // One at a time: a notified component may unlink, or destroy, others meanwhile.
    while (!linked_.empty()) {
        Component* other = linked_.back();
        linked_.pop_back();
        std::erase(other->linked_, this);
        other->Notification(this, Operation::Remove);
    }
    if (owner_ && !owner_->destroying_) {
        owner_->Notification(this, Operation::Remove);
        owner_->Release(this);
    }
}

void Component::DestroyComponents() {
    ValueScope<bool> destroying(destroying_, true);
    while (!owned_.empty()) {
        std::unique_ptr<Component> last = std::move(owned_.back());
        owned_.pop_back();
        Notification(last.get(), Operation::Remove);
        last.reset();
    }
}

std::vector<Component*> Component::Components() const {
    std::vector<Component*> all;
    for (const auto& c : owned_) all.push_back(c.get());
    return all;
}

Component* Component::FindComponent(const std::string& name) const {
    for (const auto& c : owned_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

void Component::FreeNotification(Component* other) {
    if (!other || other == this) return;
    if (std::find(linked_.begin(), linked_.end(), other) != linked_.end()) return;
    linked_.push_back(other);
    other->linked_.push_back(this);
}

void Component::RemoveFreeNotification(Component* other) {
    if (!other) return;
    std::erase(linked_, other);
    std::erase(other->linked_, this);
}

void Component::Notification(Component*, Operation) {}

void Component::Release(Component* child) {
    auto it = std::find_if(owned_.begin(), owned_.end(),
                           [child](const auto& p) { return p.get() == child; });
    if (it != owned_.end()) {
        it->release();  // the child is already being destroyed by someone else
        owned_.erase(it);
    }
}

}  // namespace platform
