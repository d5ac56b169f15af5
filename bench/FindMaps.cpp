#include "FindMaps.h"

#include "model/StarMap.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kPlanets = CStarMap::kMaxPlanets;
const char* const kSyllables[] = {"ka", "vor", "el", "tha", "rin", "mos", "zed", "qua", "lin", "dar", "ost",
                                  "fen", "bra", "ny", "sel", "tor", "ish", "gal", "pry", "um", "an", "ix"};
const char* const kCodes[] = {"VH", "QT", "LMR", "ZA", "BND", "OR", "KOR", "E", "KE", "UL", "KUL",
                              "TY", "KTY", "HSN", "IX", "KIX", "DM", "KDM", "GW", "RPF", "NJ", "F", "S"};

std::string Word(std::mt19937& random)
{
    std::string word;
    for (int i = 0, n = 2 + int(random() % 2); i < n; ++i)
        word += kSyllables[random() % std::size(kSyllables)];
    word[0] = char(word[0] - 'a' + 'A');
    return word;
}

// One or two words, now and then a third; about one name in eight is one
// given before.
std::vector<std::string> Names(std::mt19937& random)
{
    std::vector<std::string> names;
    std::set<std::string> used;
    while (int(names.size()) < kPlanets) {
        if (!names.empty() && random() % 8 == 0) {
            names.push_back(names[random() % names.size()]);
            continue;
        }
        std::string name = Word(random);
        if (random() % 2)
            name += " " + Word(random);
        if (random() % 10 == 0)
            name += " Prime";
        if (used.insert(name).second)
            names.push_back(name);
    }
    return names;
}

std::string Realistic()
{
    std::mt19937 random(20261207);
    std::vector<std::string> names = Names(random);
    std::uniform_real_distribution<double> anywhere(-620.0, 620.0);
    std::normal_distribution<double> around(0.0, 15.0);
    std::vector<std::pair<double, double>> clusters(40);
    for (auto& c : clusters)
        c = {anywhere(random) * 0.9, anywhere(random) * 0.9};
    std::string text;
    char line[160];
    for (int i = 0; i < kPlanets; ++i) {
        double x = anywhere(random), y = anywhere(random);
        if (random() % 10 < 3) {
            const auto& c = clusters[random() % clusters.size()];
            x = c.first + around(random), y = c.second + around(random);
        }
        std::snprintf(line, sizeof line, "%s %.1f %.1f %s\n", names[std::size_t(i)].c_str(), x, y,
                      kCodes[random() % std::size(kCodes)]);
        text += line;
    }
    return text;
}

std::string Packed()
{
    std::mt19937 random(20261208);
    std::vector<std::string> names = Names(random);
    std::uniform_real_distribution<double> within(0.0, 20.0);
    std::string text;
    char line[160];
    for (int i = 0; i < kPlanets; ++i) {
        std::snprintf(line, sizeof line, "%s %.1f %.1f %s\n", names[std::size_t(i)].c_str(), within(random),
                      within(random), kCodes[random() % std::size(kCodes)]);
        text += line;
    }
    return text;
}

std::string Stacked()
{
    std::mt19937 random(20261209);
    std::string text;
    char line[160];
    for (int i = 0; i < kPlanets; ++i) {
        std::string name = "Stack" + std::to_string(i);
        while (name.size() < 65)
            name += Word(random);
        name.resize(65);
        std::snprintf(line, sizeof line, "%s 7 -3 VH\n", name.c_str());
        text += line;
    }
    return text;
}

} // namespace

std::string FindMapText(FindMap which)
{
    switch (which) {
    case FindMap::Realistic: return Realistic();
    case FindMap::Packed: return Packed();
    case FindMap::Stacked: return Stacked();
    }
    return {};
}

const CStarMap& LoadedFindMap(FindMap which)
{
    static std::unique_ptr<CStarMap> maps[3];
    std::unique_ptr<CStarMap>& map = maps[int(which)];
    if (!map) {
        auto path = std::filesystem::temp_directory_path() /
                    ("kestrin-find-" + std::to_string(::getpid()) + "-" + FindMapName(which) + ".dat");
        std::ofstream(path, std::ios::binary) << FindMapText(which);
        map = std::make_unique<CStarMap>();
        bool whole = map->LoadDataFile(path.string().c_str());
        std::filesystem::remove(path);
        if (!whole || map->GetPlanetCount() != kPlanets)
            throw std::runtime_error("generated map did not load whole");
    }
    return *map;
}

const char* FindMapName(FindMap which)
{
    static const char* const kNames[] = {"realistic", "packed", "stacked"};
    return kNames[int(which)];
}

std::int16_t FindMapCorner(const CStarMap& map, int sign)
{
    std::int16_t best = 0;
    auto reach = [&](std::int16_t i) {
        return double(sign) * (double(map.GetPlanet(i).m_x) + double(map.GetPlanet(i).m_y));
    };
    for (std::int16_t i = 1; i < map.GetPlanetCount(); ++i)
        if (reach(i) > reach(best))
            best = i;
    return best;
}
