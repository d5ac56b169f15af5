// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a table from 64-bit keys to values, every entry in one
// array (open addressing), so that a lookup costs one cache line where a
// node-based map costs two or three. The walks over a map's names look up
// tens of thousands of clusters and pairs a repaint, most of them missing
// the cache.
//
// A value's address holds until the next insertion or clear.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <class V>
class CFlatKeyMap {
public:
    // The value under key, or null.
    V* Find(std::uint64_t key)
    {
        if (key == kEmpty)
            return m_hasEmptyKey ? &m_emptyKeyValue : nullptr;
        if (m_slots.empty())
            return nullptr;
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            Slot& s = m_slots[i];
            if (s.key == key)
                return &s.value;
            if (s.key == kEmpty)
                return nullptr;
        }
    }

    // The value under key, default made when it was not there; added tells
    // which.
    std::pair<V*, bool> TryEmplace(std::uint64_t key)
    {
        if (key == kEmpty) {
            const bool added = !m_hasEmptyKey;
            m_hasEmptyKey = true;
            return {&m_emptyKeyValue, added};
        }
        if ((m_used + 1) * 2 > m_slots.size())
            Grow();
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            Slot& s = m_slots[i];
            if (s.key == key)
                return {&s.value, false};
            if (s.key == kEmpty) {
                s.key = key;
                ++m_used;
                return {&s.value, true};
            }
        }
    }

    std::size_t size() const { return m_used + (m_hasEmptyKey ? 1 : 0); }

    void clear()
    {
        m_slots.clear();
        m_used = 0;
        m_hasEmptyKey = false;
        m_emptyKeyValue = V();
    }

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t(0);

    struct Slot {
        std::uint64_t key = kEmpty;
        V value{};
    };

    std::size_t Mask() const { return m_slots.size() - 1; }

    // Fibonacci hashing: keys that differ in their high bits alone (tokens
    // shifted into place) still spread over the table.
    std::size_t Home(std::uint64_t key) const
    {
        return std::size_t((key * 0x9E3779B97F4A7C15u) >> (64 - std::countr_zero(m_slots.size())));
    }

    void Grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot());
        m_used = 0;
        for (Slot& s : old)
            if (s.key != kEmpty)
                *TryEmplace(s.key).first = std::move(s.value);
    }

    std::vector<Slot> m_slots;  // a power of two of them, at most half used
    std::size_t m_used = 0;
    // The one key that marks a free slot is kept aside. (Not in a
    // std::optional: a table of a nested type with default member
    // initializers is made within its enclosing class, where clang does
    // not yet take that type as default constructible.)
    bool m_hasEmptyKey = false;
    V m_emptyKeyValue{};
};
