// SPDX-License-Identifier: MIT
#include "MapPicture.h"

#include "OutputTypes.h"
#include "PictureNotes.h"
#include "WebPage.h"

#include "model/KestrinDoc.h"
#include "model/map/StarMap.h"
#include "view/KestrinView.h"
#include "view/Legend.h"
#include "view/MapViewport.h"

#include "platform/print/PdfPicture.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/OutputFile.h"
#include "platform/surface/SvgPicture.h"

namespace {

constexpr int kScreenDpi = kScreenPictureDpi;

// The screen picture on dc, which attach attaches to the picture: the map
// under the screen mapping and the overlay over it, then the legend in
// device pixels from the default state, then the title and the scale bar.
template <class Attach>
bool DrawScreen(CDC& dc, CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, Attach attach,
                std::string& reason)
{
    attach(dc);
    const CMapViewport viewport(o.zoom, o.center, o.size);
    viewport.PrepareScreen(dc);
    map.Draw(&dc, o.circles, o.truce);
    if (overlay)
        overlay(dc, viewport.ScreenMapping(), o.size, false);
    if (o.legend) {
        attach(dc);
        DrawLegend(&dc, &map);
    }
    if (!HasPictureNotes(o))
        return true;
    attach(dc);
    return DrawPictureNotes(dc, o, viewport.ScreenMapping(), o.size, false, reason);
}

bool ScreenPicture(CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, CImage& image, std::string& reason)
{
    image = CImage(o.size.cx, o.size.cy, RGB(0, 0, 0));
    CDC dc;
    const bool smooth = o.smooth;
    bool drawn = DrawScreen(dc, map, o, overlay, [&image, smooth](CDC& surface) {
        smooth ? surface.AttachSmoothImage(image) : surface.AttachImage(image);
    }, reason);
    dc.Detach();
    return drawn;
}

// The same picture as vector graphics.
bool ScreenSvg(CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, std::string& bytes, std::string& reason)
{
    CSvgPicture picture(o.size.cx, o.size.cy, kScreenDpi, RGB(0, 0, 0));
    CDC dc;
    if (!DrawScreen(dc, map, o, overlay, [&picture](CDC& surface) { picture.Attach(surface); }, reason))
        return false;
    if (picture.Finish(dc, bytes))
        return true;
    reason = "the picture could not be made";
    return false;
}

// The same picture as a colour PDF page of vector graphics.
bool ScreenPdf(CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, std::string& bytes, std::string& reason)
{
    CPdfPicture picture(o.size.cx, o.size.cy, kScreenDpi, RGB(0, 0, 0));
    CDC dc;
    if (!DrawScreen(dc, map, o, overlay, [&picture](CDC& surface) { picture.Attach(surface); }, reason))
        return false;
    if (picture.Finish(dc, bytes))
        return true;
    reason = "the PDF writer did not finish the picture";
    return false;
}

// The view that prints the page, with the title and the scale bar over
// the printed area when they are asked for.
class CNotedView : public CKestrinView {
public:
    CNotedView(const RenderOptions& o, const MapOverlay& overlay) : m_options(o), m_overlay(overlay) {}
    void OnDraw(CDC* pDC) override
    {
        CKestrinView::OnDraw(pDC);
        if (!pDC->IsPrinting())
            return;
        const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
        const CMapping page = CMapViewport(m_zoom, m_center).PageMapping(dpiX, dpiY);
        const CSize area(page.GetViewportExt().cx, page.GetViewportExt().cy);
        if (m_overlay)
            m_overlay(*pDC, page, area, true);
        if (!HasPictureNotes(m_options))
            return;
        pDC->SetMapMode(MM_TEXT);
        pDC->SetWindowOrg(0, 0);
        pDC->SetViewportOrg(0, 0);
        // PrintPage has checked that they fit.
        std::string unused;
        DrawPictureNotes(*pDC, m_options, page, area, true, unused);
    }

private:
    const RenderOptions& m_options;
    const MapOverlay& m_overlay;
};

// The target of a printed page: a file of its own kind for a PDF or an
// SVG file, else an image page of exactly the printed area, whose picture
// onPage receives.
CPrinterTarget PageTarget(const RenderOptions& o, const std::string& format, CImage& picture)
{
    CPrinterTarget t;
    t.dpi = o.dpi;
    if (format == "PDF") {
        t.kind = CPrinterTarget::Kind::PdfFile;
        t.name = "PDF";
        t.file = o.output;
        t.keep = o.input;
        return t;
    }
    t.kind = format == "SVG" ? CPrinterTarget::Kind::SvgFile : CPrinterTarget::Kind::ImagePage;
    t.name = format;
    t.file = o.output;
    t.keep = o.input;
    t.paperWidth = CMapViewport::kPageWidthInches;
    t.paperHeight = CMapViewport::kPageHeightInches;
    t.margin = 0;
    t.onPage = [&picture](const CImage& page, const CMapping&) { picture = page; };
    return t;
}

// Prints the page as File Print would, from a view of map in o's state.
bool PrintPage(CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, const CPrinterTarget& target,
               std::string& reason)
{
    CKestrinDoc doc;
    doc.m_pMap = &map;
    // Titled as the window titles the open file, for the job's title.
    doc.SetPathName(CDocument::CanonicalPath(o.input));
    const CMapping page = CMapViewport(o.zoom, o.center).PageMapping(target.dpi, target.dpi);
    const CSize area = page.GetViewportExt();
    if (!PictureNotesFit(o, page, area, target.dpi, reason))
        return false;
    CNotedView view(o, overlay);
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

bool WriteBytes(const std::string& bytes, const RenderOptions& o, std::string& reason)
{
    COutputFile file;
    bool written = file.Open(o.output, 0666, o.input) && file.Write(bytes) && file.Commit();
    reason = file.Reason();
    return written;
}

bool WriteImage(const CImage& image, const RenderOptions& o, std::string& reason)
{
    std::string bytes;
    if (!image.Encode(FindOutputType(o.output)->format, bytes)) {
        reason = "the picture could not be encoded";
        return false;
    }
    return WriteBytes(bytes, o, reason);
}

} // namespace

bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::string& reason, const MapOverlay& overlay)
{
    const std::string format = FindOutputType(o.output)->format;
    if (format == "HTML")
        return WriteWebPage(map, o, reason);
    if (!o.print && (format == "SVG" || format == "PDF")) {
        std::string bytes;
        const bool made = format == "SVG" ? ScreenSvg(map, o, overlay, bytes, reason)
                                         : ScreenPdf(map, o, overlay, bytes, reason);
        return made && WriteBytes(bytes, o, reason);
    }
    if (!o.print) {
        CImage image;
        return ScreenPicture(map, o, overlay, image, reason) && WriteImage(image, o, reason);
    }
    CImage page;
    if (!PrintPage(map, o, overlay, PageTarget(o, format, page), reason))
        return false;
    // A PDF or SVG file is written by the print job itself.
    return format == "PDF" || format == "SVG" || WriteImage(page, o, reason);
}
