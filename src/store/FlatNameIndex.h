// A look-up table from names (ignoring ASCII letter case) to positions in a list the
// caller owns: one flat array of slots, each holding the name's hash beside its
// position, probed linearly. A look-up compares hashes first and reads a name only
// when they agree, so a miss rarely touches the names at all.
// When a name occurs several times, the table answers its first position.
#pragma once

#include "store/StringOps.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sw {

class FlatNameIndex {
public:
    bool empty() const { return count_ == 0; }
    void clear()
    {
        slots_.clear();
        count_ = 0;
    }

    // Indexes positions 0 .. count-1; nameAt(i) gives the name at position i.
    template <typename NameAt>
    void build(std::size_t count, NameAt&& nameAt)
    {
        clear();
        grow(count);
        for (std::size_t i = 0; i < count; ++i)
            add(nameAt(i), i, nameAt);
    }

    // Adds a position for a name; a name already there keeps its earlier position.
    template <typename NameAt>
    void add(std::string_view name, std::size_t position, NameAt&& nameAt)
    {
        if ((count_ + 1) * 4 > slots_.size() * 3)
            rehash(slots_.empty() ? 16 : slots_.size() * 2);
        const std::uint32_t hash = hashOf(name);
        std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots_[at];
            if (slot.position == kEmpty) {
                slot = {hash, std::uint32_t(position)};
                ++count_;
                return;
            }
            if (slot.hash == hash && sameText(nameAt(slot.position), name))
                return;
        }
    }

    // The first position of the name, or -1.
    template <typename NameAt>
    std::ptrdiff_t find(std::string_view name, NameAt&& nameAt) const
    {
        if (slots_.empty())
            return -1;
        const std::uint32_t hash = hashOf(name);
        std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.position == kEmpty)
                return -1;
            if (slot.hash == hash && sameText(nameAt(slot.position), name))
                return std::ptrdiff_t(slot.position);
        }
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t position = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    static std::uint32_t hashOf(std::string_view name)
    {
        std::size_t h = CaseInsensitiveHash{}(name);
        return std::uint32_t(h ^ (h >> 32));
    }
    void grow(std::size_t count)
    {
        std::size_t size = 16;
        while (size * 3 < count * 4 + 4)
            size *= 2;
        if (size > slots_.size())
            rehash(size);
    }
    void rehash(std::size_t size)
    {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot{});
        std::size_t mask = size - 1;
        for (const Slot& slot : old) {
            if (slot.position == kEmpty)
                continue;
            std::size_t at = slot.hash & mask;
            while (slots_[at].position != kEmpty)
                at = (at + 1) & mask;
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace sw
