// SPDX-License-Identifier: MIT
#include "platform/surface/qt/RefusedReaches.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The table starts this small, and doubles whenever half of it is in use.
constexpr std::size_t kFirstSlots = 1024;
static_assert((kFirstSlots & (kFirstSlots - 1)) == 0);

std::uint64_t HashOf(std::string_view text)
{
    return std::hash<std::string_view>()(text);
}

} // namespace

const CRefusedReaches::Slot* CRefusedReaches::FindSlot(std::string_view text, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.kept == 0)
            return &slot;
        if (slot.hash == hash && slot.length == text.size() &&
            std::string_view(m_chars).substr(slot.at, slot.length) == text)
            return &slot;
    }
}

RefusedReach* CRefusedReaches::Find(std::string_view text)
{
    if (m_reaches.empty())
        return nullptr;
    const Slot* slot = FindSlot(text, HashOf(text));
    return slot->kept == 0 ? nullptr : &m_reaches[slot->kept - 1];
}

RefusedReach& CRefusedReaches::Add(std::string_view text)
{
    if (m_reaches.size() >= kMaxTexts)
        Clear();
    if (2 * (m_reaches.size() + 1) > m_slots.size())
        Grow();
    const std::uint64_t hash = HashOf(text);
    Slot& slot = const_cast<Slot&>(*FindSlot(text, hash));
    slot = Slot{hash, m_chars.size(), text.size(), std::uint32_t(m_reaches.size() + 1)};
    m_chars.append(text);
    return m_reaches.emplace_back();
}

void CRefusedReaches::Grow()
{
    std::vector<Slot> grown(std::max(kFirstSlots, 2 * m_slots.size()));
    const std::size_t mask = grown.size() - 1;
    for (const Slot& slot : m_slots) {
        if (slot.kept == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (grown[i].kept != 0)
            i = (i + 1) & mask;
        grown[i] = slot;
    }
    m_slots = std::move(grown);
}

void CRefusedReaches::Clear()
{
    m_slots.clear();
    m_reaches.clear();
    m_chars.clear();
}
