// SPDX-License-Identifier: MIT
#include "GeneratedMap.h"

#include <cstdio>
#include <random>

namespace {

const char* const kSyllables[] = {"Kor", "an", "ath", "Vel", "mir", "os", "Tar", "en", "is", "Quel",
                                  "Zan", "dor", "ix", "ul", "Bre", "wyn", "Jo", "fal", "y", "Ek"};
const char* const kCodes[] = {"VH", "QT", "LMR", "ZA", "BND", "OR", "KOR", "E",  "KE", "UL", "KUL", "TY",
                              "KTY", "HSN", "IX", "KIX", "DM", "KDM", "GW", "RPF", "NJ", "F", "XX"};

} // namespace

std::string GeneratedMapText(int planets, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> syllable(0, std::size(kSyllables) - 1);
    std::uniform_int_distribution<int> code(0, std::size(kCodes) - 1);
    // File units: the loader multiplies by 10, so this is the 6000-unit disc.
    std::uniform_real_distribution<double> coordinate(-600.0, 600.0);
    std::string text = "; generated map\n";
    char line[96];
    for (int i = 0; i < planets; ++i) {
        double x, y;
        do {
            x = coordinate(rng), y = coordinate(rng);
        } while (x * x + y * y > 600.0 * 600.0);
        std::string name = i == planets / 2 ? "Morvath" : "";
        for (int w = 0, words = 1 + int(rng() % 3); name.empty() && w < words; ++w) {
            std::string word;
            for (int k = 0, n = 2 + int(rng() % 2); k < n; ++k)
                word += kSyllables[syllable(rng)];
            name += (w ? " " : "") + word;
        }
        // Names stay short enough for the loader's 79-character pieces.
        std::snprintf(line, sizeof line, "%.40s %.1f %.1f %s\n", name.c_str(), x, y, kCodes[code(rng)]);
        text += line;
    }
    return text;
}
