// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: where each text the glyph shaper refuses last reached
// on a device, under the transform it was measured under: every pixel any
// of its glyphs or its cell's fill may write there, and its cell. Drawn
// again at the same place over cover that holds all of it, the text is
// hidden without a look at its clusters (a stacked map repaints thousands
// such); over less, its clusters are looked at only until one shows.
//
// Looked up for every such text of every repaint, so kept flat: the texts
// one after another in the order they were kept, which is the order a
// repaint meets them in, and a table of their hashes.

#include <QRect>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RefusedReach {
    double dx = 0.0, dy = 0.0, sx = 0.0, sy = 0.0;
    int width = 0, height = 0;
    QRect reach, fill, cell;  // as TextCache::TextBounds
};

class CRefusedReaches {
public:
    // Texts kept at most; past this it starts again.
    static constexpr std::size_t kMaxTexts = 65536;

    // What text reached when last kept; null when it is not kept.
    RefusedReach* Find(std::string_view text);
    // Keeps text, which is not kept yet.
    RefusedReach& Add(std::string_view text);

private:
    // A text kept: its hash, where it stands in m_chars, and what it reached.
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t at = 0, length = 0;
        std::uint32_t kept = 0;  // 1 + its index in m_reaches; 0 for none
    };
    const Slot* FindSlot(std::string_view text, std::uint64_t hash) const;
    void Grow();
    void Clear();

    std::vector<Slot> m_slots;  // a power of two of them, at most half in use (none before the first)
    std::vector<RefusedReach> m_reaches;
    std::string m_chars;  // the texts kept, one after another
};
