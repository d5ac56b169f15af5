// SPDX-License-Identifier: MIT
#include "BenchMapKinds.h"

#include "BenchRandom.h"
#include "GeneratedMap.h"
#include "InventedNames.h"

#include "platform/surface/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

const char* const kCodes[] = {"VH", "QT", "LMR", "ZA", "BND", "OR", "KOR", "E",  "KE", "UL", "KUL",
                              "TY", "KTY", "HSN", "IX", "KIX", "DM", "KDM", "GW", "RPF", "NJ", "F"};
// Codes outside the table: they draw white.
const char* const kUnknownCodes[] = {"S", "ind", "XR", "Vh"};

struct Planet {
    std::string name;
    double x, y;
    std::string code;
};

std::string FileText(const char* title, const std::vector<Planet>& planets)
{
    std::string text = std::string("; ") + title + "\n";
    char line[128];
    for (const Planet& p : planets) {
        // Names stay short of the loader's 79-character pieces.
        std::snprintf(line, sizeof line, "%.66s %.1f %.1f %s\n", p.name.c_str(), p.x, p.y, p.code.c_str());
        text += line;
    }
    return text;
}

std::string Code(CBenchRandom& random)
{
    if (random.Percent(2))
        return kUnknownCodes[random.Below(std::size(kUnknownCodes))];
    return kCodes[random.Below(std::size(kCodes))];
}

// A normally distributed offset (Box-Muller), for the clusters.
double Gaussian(CBenchRandom& random, double sigma)
{
    double u = 1.0 - random.Unit(), v = random.Unit();
    return sigma * std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
}

std::vector<Planet> Realistic(int count)
{
    constexpr double kReach = 620.0;
    CBenchRandom random(0x4B657374);
    CInventedNames names(0x6E616D65);
    struct Cluster {
        double x, y, sigma;
        std::string code;
    };
    std::vector<Cluster> clusters(48);
    for (Cluster& c : clusters)
        c = {(random.Unit() * 2 - 1) * 540, (random.Unit() * 2 - 1) * 540, 15 + random.Unit() * 50, Code(random)};
    std::vector<Planet> planets;
    for (int i = 0; i < count; ++i) {
        Planet p;
        p.name = i == count / 3 ? "Morvath" : names.Reused(25);
        if (random.Percent(70)) {
            const Cluster& c = clusters[random.Below(int(clusters.size()))];
            p.x = c.x + Gaussian(random, c.sigma);
            p.y = c.y + Gaussian(random, c.sigma);
            p.code = random.Percent(85) ? c.code : Code(random);
        } else {
            p.x = (random.Unit() * 2 - 1) * kReach;
            p.y = (random.Unit() * 2 - 1) * kReach;
            p.code = Code(random);
        }
        p.x = std::clamp(p.x, -kReach, kReach);
        p.y = std::clamp(p.y, -kReach, kReach);
        planets.push_back(std::move(p));
    }
    return planets;
}

std::vector<Planet> Packed(int count)
{
    CBenchRandom random(0x7061636B);
    CInventedNames names(0x70616E6D);
    std::vector<Planet> planets;
    for (int i = 0; i < count; ++i)
        planets.push_back({i == count / 2 ? "Morvath" : names.Reused(25), random.Unit() * 20 - 10,
                           random.Unit() * 20 - 10, Code(random)});
    return planets;
}

std::vector<Planet> Stacked(int count)
{
    CBenchRandom random(0x73746163);
    CInventedNames names(0x73746E6D);
    std::vector<Planet> planets;
    for (int i = 0; i < count; ++i)
        planets.push_back({names.OfLength(kStackedNameLength), 0.0, 0.0, Code(random)});
    return planets;
}

// A word the glyph shaper refuses: ideographs and kana; pictographs (some
// joined, or with a selector) after letters of the x-height; or such
// letters under one combining mark above. Most glyphs stay within the
// text's cell, but with the installed fonts a ring, circumflex or caron
// over such a letter reaches a row or more above it at close zooms, so
// that names far down the pile still show there.
std::string ScriptWord(CBenchRandom& random)
{
    static const char32_t kLow[] = {U'a', U'c', U'e', U'm', U'n', U'o', U'r', U's', U'u', U'v', U'w', U'x', U'z'};
    static const char32_t kAbove[] = {0x300, 0x301, 0x302, 0x303, 0x304, 0x306, 0x307, 0x308, 0x30A, 0x30C};
    std::string word;
    const int length = 2 + random.Below(5);
    switch (random.Below(3)) {
    case 0:
        for (int i = 0; i < length; ++i)
            AppendUtf8(word, random.Percent(60) ? char32_t(0x4E00 + random.Below(3000))
                                                : char32_t(0x3042 + random.Below(80)));
        return word;
    case 1:
        for (int i = 0; i < length; ++i)
            AppendUtf8(word, kLow[random.Below(int(std::size(kLow)))]);
        AppendUtf8(word, char32_t(0x1F300 + random.Below(0x250)));
        if (random.Percent(30))
            AppendUtf8(word, 0xFE0F);
        if (random.Percent(20)) {
            AppendUtf8(word, 0x200D);
            AppendUtf8(word, char32_t(0x1F300 + random.Below(0x250)));
        }
        return word;
    default:
        for (int i = 0; i < length; ++i) {
            AppendUtf8(word, kLow[random.Below(int(std::size(kLow)))]);
            if (i + 1 == length || random.Percent(30))  // one mark at least
                AppendUtf8(word, kAbove[random.Below(int(std::size(kAbove)))]);
        }
        return word;
    }
}

// Words while they fit the byte budget.
std::string ScriptName(CBenchRandom& random)
{
    std::string name = ScriptWord(random);
    for (;;) {
        std::string more = name + ' ' + ScriptWord(random);
        if (more.size() > std::size_t(kStackedScriptsNameBytes))
            return name;
        name = std::move(more);
    }
}

std::vector<Planet> StackedScripts(int count)
{
    CBenchRandom random(0x73637269);
    std::vector<Planet> planets;
    for (int i = 0; i < count; ++i)
        planets.push_back({ScriptName(random), 0.0, 0.0, Code(random)});
    return planets;
}

} // namespace

const char* BenchMapKindName(BenchMapKind kind)
{
    switch (kind) {
    case BenchMapKind::Realistic: return "realistic";
    case BenchMapKind::Today: return "today";
    case BenchMapKind::Packed: return "packed";
    case BenchMapKind::Stacked: return "stacked";
    case BenchMapKind::StackedScripts: return "stacked-scripts";
    }
    return "?";
}

std::optional<BenchMapKind> BenchMapKindFromName(std::string_view name)
{
    for (BenchMapKind kind : kBenchMapKinds)
        if (name == BenchMapKindName(kind))
            return kind;
    return std::nullopt;
}

std::string BenchMapText(BenchMapKind kind, int planets)
{
    planets = std::clamp(planets, 0, kBenchMapPlanets);
    switch (kind) {
    case BenchMapKind::Realistic: return FileText("realistic benchmark map", Realistic(planets));
    case BenchMapKind::Today: return GeneratedMapText(planets);
    case BenchMapKind::Packed: return FileText("packed benchmark map", Packed(planets));
    case BenchMapKind::Stacked: return FileText("stacked benchmark map", Stacked(planets));
    case BenchMapKind::StackedScripts:
        return FileText("stacked benchmark map of names in other scripts", StackedScripts(planets));
    }
    return {};
}

BenchMapCentre BenchMapCentreOf(BenchMapKind kind)
{
    // The stacked names start at the circle's left edge (x = -5) and hang
    // below it from y = 5, 11 units high: (-3, 11) is on the first letter,
    // half-way down, so even at extent 1 the view shows a piece of a glyph.
    if (kind == BenchMapKind::Stacked || kind == BenchMapKind::StackedScripts)
        return {-3, 11};
    return {0, 0};
}
