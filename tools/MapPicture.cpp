#include "MapPicture.h"

#include "OutputTypes.h"

#include "model/KestrinDoc.h"
#include "model/StarMap.h"
#include "view/KestrinView.h"
#include "view/Legend.h"
#include "view/MapViewport.h"

#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/OutputFile.h"

namespace {

CImage ScreenPicture(CStarMap& map, const RenderOptions& o)
{
    CImage image(o.size.cx, o.size.cy, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    CMapViewport(o.zoom, o.center, o.size).PrepareScreen(dc);
    map.Draw(&dc, o.circles, o.truce);
    dc.Detach();
    if (o.legend) {
        CDC legend;
        legend.AttachImage(image);
        DrawLegend(&legend, &map);
    }
    return image;
}

// The target of a printed page: the PDF writer for a PDF file, else an
// image page of exactly the printed area, whose picture onPage receives.
CPrinterTarget PageTarget(const RenderOptions& o, bool pdf, CImage& picture)
{
    CPrinterTarget t;
    t.dpi = o.dpi;
    if (pdf) {
        t.kind = CPrinterTarget::Kind::PdfFile;
        t.name = "PDF";
        t.file = o.output;
        t.keep = o.input;
        return t;
    }
    t.kind = CPrinterTarget::Kind::ImagePage;
    t.paperWidth = CMapViewport::kPageWidthInches;
    t.paperHeight = CMapViewport::kPageHeightInches;
    t.margin = 0;
    t.onPage = [&picture](const CImage& page, const CMapping&) { picture = page; };
    return t;
}

// Prints the page as File Print would, from a view of map in o's state.
bool PrintPage(CStarMap& map, const RenderOptions& o, const CPrinterTarget& target, std::string& reason)
{
    CKestrinDoc doc;
    doc.m_pMap = &map;
    CKestrinView view;
    view.SetDocument(&doc);
    view.m_zoom = o.zoom;
    view.m_center = o.center;
    view.m_showCircles = o.circles;
    view.m_showTruceLine = o.truce;
    view.m_showLegend = o.legend;
    bool printed = view.PrintToTarget(target, &reason);
    doc.m_pMap = nullptr;  // the map is the caller's
    return printed;
}

bool WriteImage(const CImage& image, const RenderOptions& o, std::string& reason)
{
    std::string bytes;
    if (!image.Encode(FindOutputType(o.output)->format, bytes)) {
        reason = "the picture could not be encoded";
        return false;
    }
    COutputFile file;
    bool written = file.Open(o.output, 0666, o.input) && file.Write(bytes) && file.Commit();
    reason = file.Reason();
    return written;
}

} // namespace

bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::string& reason)
{
    if (!o.print)
        return WriteImage(ScreenPicture(map, o), o, reason);
    const bool pdf = std::string(FindOutputType(o.output)->format) == "PDF";
    CImage page;
    if (!PrintPage(map, o, PageTarget(o, pdf, page), reason))
        return false;
    return pdf || WriteImage(page, o, reason);
}
