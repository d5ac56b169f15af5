// SPDX-License-Identifier: MIT
#include "platform/surface/qt/RefusedReaches.h"

#include <algorithm>
#include <functional>

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
        const Text& kept = m_texts[slot.kept - 1];
        if (slot.hash == hash && kept.length == text.size() &&
            std::string_view(m_chars).substr(kept.at, kept.length) == text)
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
    m_texts.push_back({m_chars.size(), std::uint32_t(text.size())});
    m_chars.append(text);
    slot = Slot{hash, std::uint32_t(m_texts.size())};
    return m_reaches.emplace_back();
}

void CRefusedReaches::Grow()
{
    m_slots.assign(std::max(kFirstSlots, 2 * m_slots.size()), Slot());
    const std::size_t mask = m_slots.size() - 1;
    for (std::uint32_t k = 0; k < m_texts.size(); ++k) {
        const std::uint64_t hash = HashOf(std::string_view(m_chars).substr(m_texts[k].at, m_texts[k].length));
        std::size_t i = hash & mask;
        while (m_slots[i].kept != 0)
            i = (i + 1) & mask;
        m_slots[i] = Slot{hash, k + 1};
    }
}

void CRefusedReaches::Clear()
{
    m_slots.clear();
    m_reaches.clear();
    m_texts.clear();
    m_chars.clear();
}
