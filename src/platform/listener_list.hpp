#pragma once
// Listeners of one kind of change: any number of views can follow a model. A listener stays
// registered while its Subscription lives, so a window that goes away can never be called
// again; a listener added or removed while the list notifies takes effect at the next change.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pemu::platform {

template <typename... Args>
class ListenerList {
    struct Entry {
        int id;
        std::function<void(Args...)> listener;
    };
    struct Shared {
        std::vector<Entry> entries;
        int nextId = 1;
    };

  public:
    // Removes its listener when destroyed (or reset); harmless after the list is gone.
    class Subscription {
      public:
        Subscription() = default;
        Subscription(std::weak_ptr<Shared> list, int id) : list_(std::move(list)), id_(id) {}
        Subscription(Subscription&& other) noexcept { *this = std::move(other); }
        Subscription& operator=(Subscription&& other) noexcept {
            if (this != &other) {
                Reset();
                list_ = std::move(other.list_);
                id_ = std::exchange(other.id_, 0);
            }
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { Reset(); }

        void Reset() {
            if (auto list = list_.lock()) {
                std::erase_if(list->entries, [this](const Entry& e) { return e.id == id_; });
            }
            list_.reset();
            id_ = 0;
        }

      private:
        std::weak_ptr<Shared> list_;
        int id_ = 0;
    };

    [[nodiscard]] Subscription Add(std::function<void(Args...)> listener) {
        const int id = shared_->nextId++;
        shared_->entries.push_back({id, std::move(listener)});
        return Subscription(shared_, id);
    }

    void Notify(Args... args) const {
        // A copy: listeners may subscribe or unsubscribe while being told.
        const std::vector<Entry> entries = shared_->entries;
        for (const Entry& e : entries) {
            if (IsRegistered(e.id)) e.listener(args...);
        }
    }

    std::size_t size() const { return shared_->entries.size(); }

  private:
    bool IsRegistered(int id) const {
        for (const Entry& e : shared_->entries)
            if (e.id == id) return true;
        return false;
    }

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace pemu::platform
