// SPDX-License-Identifier: MIT
#include "platform/surface/qt/FlatKeyMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>

// The table of clusters, pairs and glyph boxes must answer as a plain map
// does, whatever the keys: the walks over a map's names look things up by
// tokens shifted into the high bits, by characters in the middle ones, and
// by glyph ids in the low ones.

namespace {

std::uint64_t KeyLike(std::mt19937_64& rng, int kind)
{
    switch (kind) {
    case 0: return (rng() % 5000) << 42 | (rng() % 5000) << 21 | (rng() % 5000);  // pairs of tokens
    case 1: return std::uint64_t(rng() % 8) << 32 | (rng() % 70000);  // a font's glyphs
    case 2: return std::uint64_t(rng() % 64) << 58;  // high bits alone
    default: return rng() % 4 == 0 ? ~std::uint64_t(0) - rng() % 3 : rng();  // anything, the free mark too
    }
}

} // namespace

TEST(FlatKeyMap, AnswersAsAPlainMapForKeysOfEveryKind)
{
    std::mt19937_64 rng(0x666c6174);
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        CFlatKeyMap<int> flat;
        std::unordered_map<std::uint64_t, int> plain;
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 20000; ++i) {
                const std::uint64_t key = KeyLike(rng, kind);
                if (rng() % 3 == 0) {
                    const auto found = plain.find(key);
                    int* got = flat.Find(key);
                    ASSERT_EQ(got != nullptr, found != plain.end()) << key;
                    if (got != nullptr) {
                        ASSERT_EQ(*got, found->second);
                    }
                    continue;
                }
                auto [value, added] = flat.TryEmplace(key);
                const auto [kept, plainAdded] = plain.try_emplace(key, i);
                ASSERT_EQ(added, plainAdded) << key;
                ASSERT_EQ(*value, added ? 0 : kept->second);  // a new value is made by default
                if (added)
                    *value = i;
            }
            ASSERT_EQ(flat.size(), plain.size());
            for (const auto& [key, value] : plain)
                ASSERT_EQ(flat.Find(key) ? *flat.Find(key) : -1, value) << key;
            // Cleared, it holds nothing and fills again.
            flat.clear(), plain.clear();
            EXPECT_EQ(flat.size(), 0u);
            EXPECT_EQ(flat.Find(~std::uint64_t(0)), nullptr);
            EXPECT_EQ(flat.Find(0), nullptr);
        }
    }
}
