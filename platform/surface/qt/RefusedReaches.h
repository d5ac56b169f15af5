// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: where each text the glyph shaper refuses last reached
// on a device, under the transform it was measured under: every pixel any
// of its glyphs or its cell's fill may write there, and its cell. Drawn
// again at the same place, or moved by whole pixels (a scroll step), over
// cover that holds all of it, the text is hidden without a look at its
// clusters (a stacked map repaints thousands such); over less, its
// clusters are looked at only until one shows.
//
// Looked up for every such text of every repaint, so kept flat: the texts
// one after another in the order they were kept, which is the order a
// repaint meets them in, and a table of their hashes.

#include <QRect>

#include <algorithm>
#include <cmath>
#include <limits>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The device positions a text's pixels are rounded from, along each axis.
// They are cut toward zero and rounded away from it, so a text moved by
// whole pixels along an axis moves its pixels with it only while none of
// them changes sign (and all stay well within what the rounding clamps
// to).
struct RoundedSpan {
    double left = std::numeric_limits<double>::infinity(), right = -left, top = left, bottom = -left;

    // Positions from x0 to x1 (x0 <= x1) at y.
    void Add(double x0, double x1, double y)
    {
        left = std::min(left, x0), right = std::max(right, x1);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    void Move(double ox, double oy)
    {
        left += ox, right += ox, top += oy, bottom += oy;
    }
    bool MovesWhole(double ox, double oy) const
    {
        constexpr double kFar = 5e5;
        const auto oneSide = [](double low, double high, double by) {
            return by == 0 || (std::max(-low, high) + std::abs(by) < kFar &&
                               ((low >= 0 && low + by >= 0) || (high <= 0 && high + by <= 0)));
        };
        return oneSide(left, right, ox) && oneSide(top, bottom, oy);
    }
};

// Where a look along a text's clusters stands: the next cluster's first
// character, the letter of the run it stands in (0 when the text has
// none), and the pen there, in the font's pixels.
struct ClusterStep {
    std::uint32_t at = 0;
    char32_t letter = 0;
    double pen = 0.0;
};

struct RefusedReach {
    double dx = 0.0, dy = 0.0, sx = 0.0, sy = 0.0;
    int width = 0, height = 0;
    // As TextCache::TextBounds, but not cut to the device, and of the
    // clusters whose ink may reach left of the device column lookedTo:
    // those before next. Of the reach, shown bounds what lies on the device.
    QRect reach, shown, fill, cell;
    double lookedTo = 0.0;
    ClusterStep next;
    RoundedSpan rounded;
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
