// SPDX-License-Identifier: MIT
#include "LoadedMap.h"

#include "TestFiles.h"

#include <stdexcept>

std::unique_ptr<CStarMap> LoadMap(const std::string& bytes)
{
    TempDir dir;
    auto map = std::make_unique<CStarMap>();
    if (!map->LoadDataFile(dir.Write("map.dat", bytes).c_str()))
        throw std::runtime_error("test map did not load");
    return map;
}
