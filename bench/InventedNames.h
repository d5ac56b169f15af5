// SPDX-License-Identifier: MIT
#pragma once

// Planet names for the benchmark maps, made from syllables invented for
// them: words of one to four syllables, names of one to three words. The
// same seed always gives the same names.

#include "BenchRandom.h"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

class CInventedNames {
public:
    explicit CInventedNames(std::uint64_t seed) : m_random(seed) {}

    // One invented word, capitalised.
    std::string Word();
    // A name of one to three words, about 12 characters on average.
    std::string Name();
    // A name that no earlier call of Fresh or Reused returned.
    std::string Fresh();
    // With probability reusePercent / 100 a name handed out before, else a
    // fresh one: the share of repeated names on a real map.
    std::string Reused(int reusePercent);
    // Words joined by single spaces, cut to exactly length characters and
    // ending in a letter (a name's last space would be lost on load).
    std::string OfLength(std::size_t length);

private:
    CBenchRandom m_random;
    std::vector<std::string> m_given;
    std::unordered_set<std::string> m_seen;
};
