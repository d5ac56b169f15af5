// SPDX-License-Identifier: MIT
#pragma once

// A map drawn as the view draws it (the map through the view's mapping,
// then on screen the legend), on the fast surface and on the boxed plain
// reference surface, and the two pictures compared (PictureCompare.h).

#include "PictureCompare.h"

#include "model/map/StarMap.h"
#include "platform/surface/Image.h"

struct MapView {
    int zoom;
    int cx, cy;
    int width = 1024, height = 768;
};

// The fast surface's picture.
CImage RenderFast(CStarMap& map, const MapView& v, bool printing);
// The reference surface's picture, and the boxes of what it drew.
CImage RenderReference(CStarMap& map, const MapView& v, bool printing, std::vector<DrawnItem>& items);

struct MapPictures {
    CImage fast, reference;
    PictureComparison comparison;
};
MapPictures CompareMapPictures(CStarMap& map, const MapView& v, bool printing);
