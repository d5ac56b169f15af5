// SPDX-License-Identifier: MIT
#pragma once

// Maps made from data-file text, for the tests of what is built on a map.

#include "model/map/StarMap.h"

#include <memory>
#include <string>

// The map the loader makes of these bytes; the load must succeed.
std::unique_ptr<CStarMap> LoadMap(const std::string& bytes);
