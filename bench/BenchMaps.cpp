// SPDX-License-Identifier: MIT
#include "BenchMaps.h"


#include "model/map/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"
#include "view/Legend.h"

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

#include <unistd.h>

namespace {

constexpr int kScrollBarMetric = 16;

bool g_folderMade = false;

std::filesystem::path Folder()
{
    static std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() / ("kestrin-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        g_folderMade = true;
        return p;
    }();
    return folder;
}

// The whole map as the caller wrote it beforehand, or an empty path.
std::filesystem::path GivenMap(BenchMapKind kind, int planets)
{
    const char* folder = std::getenv("KESTRIN_BENCH_MAPS");
    if (folder == nullptr || planets != kBenchMapPlanets)
        return {};
    std::filesystem::path path = std::filesystem::path(folder) / (std::string(BenchMapKindName(kind)) + ".dat");
    return std::filesystem::is_regular_file(path) ? path : std::filesystem::path();
}

} // namespace

const std::string& BenchMapPath(BenchMapKind kind, int planets)
{
    static std::map<std::pair<BenchMapKind, int>, std::string> paths;
    auto found = paths.find({kind, planets});
    if (found != paths.end())
        return found->second;
    std::filesystem::path path = GivenMap(kind, planets);
    if (path.empty()) {
        path = Folder() / (std::to_string(planets) + "-" + BenchMapKindName(kind) + ".dat");
        std::ofstream(path, std::ios::binary) << BenchMapText(kind, planets);
    }
    return paths.emplace(std::make_pair(kind, planets), path.string()).first->second;
}

CStarMap& BenchMap(BenchMapKind kind, int planets)
{
    static std::map<std::pair<BenchMapKind, int>, std::unique_ptr<CStarMap>> maps;
    auto& map = maps[{kind, planets}];
    if (!map) {
        map = std::make_unique<CStarMap>();
        map->LoadDataFile(BenchMapPath(kind, planets).c_str());
    }
    return *map;
}

CMapViewport BenchViewport(int zoom, int cx, int cy)
{
    return CMapViewport(CSize(zoom, zoom), CPoint(cx, cy), CSize(kClientWidth, kClientHeight),
                        CSize(kScrollBarMetric, kScrollBarMetric));
}

void PrepareScreen(CDC& dc, int zoom, int cx, int cy)
{
    BenchViewport(zoom, cx, cy).PrepareScreen(dc);
}

template <class DC>
void Repaint(CImage& image, CStarMap& map, int zoom, int cx, int cy)
{
    image.Fill(RGB(0, 0, 0));
    {
        DC dc;
        dc.AttachImage(image);
        PrepareScreen(dc, zoom, cx, cy);
        map.Draw(&dc, TRUE, TRUE);
    }
    DC legend;
    legend.AttachImage(image);
    DrawLegend(&legend, &map);
}

template void Repaint<CDC>(CImage&, CStarMap&, int, int, int);
template void Repaint<CReferenceDC>(CImage&, CStarMap&, int, int, int);

void RemoveBenchMaps()
{
    std::error_code ec;
    if (g_folderMade)
        std::filesystem::remove_all(Folder(), ec);
}
