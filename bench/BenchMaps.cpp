#include "BenchMaps.h"

#include "GeneratedMap.h"

#include "model/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/ReferenceDC.h"
#include "view/Legend.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <unistd.h>

namespace {

constexpr int kScrollBarMetric = 16;

std::filesystem::path Folder()
{
    static std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() / ("kestrin-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

} // namespace

const std::string& BenchMapPath(int planets)
{
    static std::map<int, std::string> paths;
    auto found = paths.find(planets);
    if (found != paths.end())
        return found->second;
    std::string path = (Folder() / ("map-" + std::to_string(planets) + ".dat")).string();
    std::ofstream(path, std::ios::binary) << GeneratedMapText(planets);
    return paths.emplace(planets, path).first->second;
}

CStarMap& BenchMap(int planets)
{
    static std::map<int, std::unique_ptr<CStarMap>> maps;
    auto& map = maps[planets];
    if (!map) {
        map = std::make_unique<CStarMap>();
        map->LoadDataFile(BenchMapPath(planets).c_str());
    }
    return *map;
}

void PrepareScreen(CDC& dc, int zoom)
{
    int w = kClientWidth - kScrollBarMetric, h = kClientHeight - kScrollBarMetric;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(zoom, zoom);
    dc.SetViewportExt(w, h);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(w / 2, h / 2);
}

template <class DC>
void Repaint(CImage& image, CStarMap& map, int zoom)
{
    image.Fill(RGB(0, 0, 0));
    {
        DC dc;
        dc.AttachImage(image);
        PrepareScreen(dc, zoom);
        map.Draw(&dc, TRUE, TRUE);
    }
    DC legend;
    legend.AttachImage(image);
    DrawLegend(&legend, &map);
}

template void Repaint<CDC>(CImage&, CStarMap&, int);
template void Repaint<CReferenceDC>(CImage&, CStarMap&, int);

void RemoveBenchMaps()
{
    std::error_code ec;
    std::filesystem::remove_all(Folder(), ec);
}
