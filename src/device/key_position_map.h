// Key code to position index, as the keyboard's layout file gives it: the index of a key in
// every per-key table of the device (key table, colours, streamed frames).
#pragma once

#include <initializer_list>
#include <map>
#include <utility>

class KeyPositionMap {
public:
    KeyPositionMap() = default;
    KeyPositionMap(std::initializer_list<std::pair<const int, int>> positions)
        : positions_(positions) {}

    void Set(int keyCode, int position) { positions_[keyCode] = position; }
    void Clear() { positions_.clear(); }
    bool Empty() const { return positions_.empty(); }

    // The key's position index; 0 for a key code the layout does not have.
    int PositionOf(int keyCode) const {
        const auto found = positions_.find(keyCode);
        return found == positions_.end() ? 0 : found->second;
    }

private:
    std::map<int, int> positions_;
};
