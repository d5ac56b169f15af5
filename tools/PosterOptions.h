// SPDX-License-Identifier: MIT
#pragma once

// --pages CxR and --scale LY of the printed page: their values and how
// they go with the other options.

#include "RenderOptions.h"

#include <string>
#include <vector>

// "CxR", each count 1 to CPosterLayout::kMaxPages.
bool ParsePages(const std::string& text, CSize& pages);
// Light years to the inch: above 0, at most 10000, with at most three
// digits after the point.
bool ParseScale(const std::string& text, std::int64_t& thousandths);
// Why --pages or --scale do not go with the rest, or empty.
std::string PosterProblem(const RenderOptions& o);
// A poster of more than one page.
bool IsPoster(const RenderOptions& o);
// The files an image poster writes, one a page in page order:
// NAME-r1c1.png, NAME-r1c2.png ... for -o NAME.png; empty for any other
// output.
std::vector<std::string> PosterPageFiles(const RenderOptions& o);
