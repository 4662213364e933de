#pragma once
// Where the result of a value editor goes. An editor only knows the
// identifier its opener gave it; the dialog that shows the value registers,
// under that identifier, how to store a new value and how to redraw itself.
// Destinations narrower than 32 bits cast in their own store function (the
// openers' limits keep the value within their width).

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace velmar {

class ValueDestinations {
public:
    // A later registration under the same identifier replaces the earlier.
    void Register(int identifier, std::function<void(int32_t)> store, std::function<void()> refresh) {
        entries_[identifier] = Entry{std::move(store), std::move(refresh)};
    }

    // Stores the value, then refreshes the view that shows it. An identifier
    // nobody registered is no destination: nothing happens, false comes back.
    bool Deliver(int identifier, int32_t value) const {
        const auto it = entries_.find(identifier);
        if (it == entries_.end()) return false;
        if (it->second.store) it->second.store(value);
        if (it->second.refresh) it->second.refresh();
        return true;
    }

    bool Registered(int identifier) const { return entries_.count(identifier) != 0; }

private:
    struct Entry {
        std::function<void(int32_t)> store;
        std::function<void()> refresh;
    };
    std::map<int, Entry> entries_;
};

}  // namespace velmar
