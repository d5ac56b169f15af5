// SPDX-License-Identifier: MIT
#include "MapPicture.h"

#include "platform/surface/DC.h"
#include "view/Legend.h"

namespace {

void Prepare(CDC& dc, CImage& image, const MapView& v, bool printing)
{
    dc.AttachImage(image);
    dc.SetPrinting(printing);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(v.zoom, v.zoom);
    dc.SetViewportExt(v.width - 16, v.height - 16);
    dc.SetWindowOrg(v.cx, v.cy);
    dc.SetViewportOrg((v.width - 16) / 2, (v.height - 16) / 2);
}

template <class DC, class... Args>
CImage Render(CStarMap& map, const MapView& v, bool printing, Args&... args)
{
    CImage image(v.width, v.height, printing ? RGB(255, 255, 255) : RGB(0, 0, 0));
    {
        DC dc(args...);
        Prepare(dc, image, v, printing);
        map.Draw(&dc, TRUE, TRUE);
        dc.Detach();
    }
    if (!printing) {
        DC legend(args...);
        legend.AttachImage(image);
        DrawLegend(&legend, &map);
    }
    return image;
}

} // namespace

CImage RenderFast(CStarMap& map, const MapView& v, bool printing)
{
    return Render<CDC>(map, v, printing);
}

CImage RenderReference(CStarMap& map, const MapView& v, bool printing, std::vector<DrawnItem>& items)
{
    return Render<CBoxedReferenceDC>(map, v, printing, items);
}

MapPictures CompareMapPictures(CStarMap& map, const MapView& v, bool printing)
{
    MapPictures p;
    std::vector<DrawnItem> items;
    p.reference = RenderReference(map, v, printing, items);
    p.fast = RenderFast(map, v, printing);
    p.comparison = ComparePictures(p.fast, p.reference, printing ? RGB(255, 255, 255) : RGB(0, 0, 0), items);
    return p;
}
