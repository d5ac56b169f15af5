// SPDX-License-Identifier: MIT
#include "MapPicture.h"

#include "OutputCheck.h"
#include "OutputTypes.h"
#include "PictureView.h"
#include "PosterFiles.h"
#include "PosterOptions.h"
#include "PosterView.h"
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
    if (o.ring)
        DrawRangeRing(dc, map, *o.ring);
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

// The same picture as vector graphics: Picture is CSvgPicture or
// CPdfPicture (a colour PDF page); failure says why when it did not finish.
template <class Picture>
bool ScreenVector(CStarMap& map, const RenderOptions& o, const MapOverlay& overlay, std::string& bytes,
                  const char* failure, std::string& reason)
{
    Picture picture(o.size.cx, o.size.cy, kScreenDpi, RGB(0, 0, 0));
    CDC dc;
    if (!DrawScreen(dc, map, o, overlay, [&picture](CDC& surface) { picture.Attach(surface); }, reason))
        return false;
    if (picture.Finish(dc, bytes))
        return true;
    reason = failure;
    return false;
}

// The view that prints the page, with the title and the scale bar over
// the printed area when they are asked for.
class CNotedView : public CPictureView {
public:
    CNotedView(const RenderOptions& o, const MapOverlay& overlay) : CPictureView(o.ring), m_options(o), m_overlay(overlay)
    {
    }
    void OnDraw(CDC* pDC) override
    {
        CPictureView::OnDraw(pDC);
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
// SVG file (its bytes into file instead for the standard output), else an
// image page of exactly the printed area, whose picture onPage receives.
CPrinterTarget PageTarget(const RenderOptions& o, const std::string& format, CImage& picture, std::string& file)
{
    CPrinterTarget t;
    t.dpi = o.dpi;
    t.file = o.output;
    t.keep = o.input;
    if (ToStandardOutput(o))
        t.bytes = &file;
    if (format == "PDF") {
        t.kind = CPrinterTarget::Kind::PdfFile;
        t.name = "PDF";
        return t;
    }
    t.kind = format == "SVG" ? CPrinterTarget::Kind::SvgFile : CPrinterTarget::Kind::ImagePage;
    t.name = format;
    t.paperWidth = CMapViewport::kPageWidthInches;
    t.paperHeight = CMapViewport::kPageHeightInches;
    t.margin = 0;
    t.onPage = [&picture](const CImage& page, const CMapping&) { picture = page; };
    return t;
}

// The sheets of a poster, whatever they are written as: the 8 by 10 inch
// area in a border, the whole sheet printed; images go one by one to pages.
CPrinterTarget PosterTarget(const RenderOptions& o, const std::string& format, CPosterFiles& pages,
                            std::string& file)
{
    CImage unused;
    CPrinterTarget t = PageTarget(o, format, unused, file);
    t.paperWidth = CPosterLayout::kSheetWidthInches;
    t.paperHeight = CPosterLayout::kSheetHeightInches;
    t.margin = 0;
    t.onPage = nullptr;
    if (format != "PDF")
        t.onPage = [&pages](const CImage& page, const CMapping&) { pages.Add(page); };
    return t;
}

// The view that prints: the window's own for its page, with the overlay
// and the notes, else one that prints at a fixed scale or as a poster
// (which take neither: see PosterProblem).
std::unique_ptr<CKestrinView> PrintingView(const RenderOptions& o, const MapOverlay& overlay)
{
    if (!IsPoster(o) && !o.scale)
        return std::make_unique<CNotedView>(o, overlay);
    std::optional<CPosterLayout> poster;
    if (IsPoster(o))
        poster.emplace(o.pages, o.dpi);
    // A scale is the poster's: the page it enlarges is that many times
    // smaller in scale.
    const std::int64_t times = poster ? poster->Times() : 1;
    CMapViewport page =
        o.scale ? CMapViewport::AtPageScale(o.center, *o.scale * times) : CMapViewport(o.zoom, o.center);
    return std::make_unique<CPosterView>(page, poster, o.ring);
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
    std::unique_ptr<CKestrinView> printing = PrintingView(o, overlay);
    CKestrinView& view = *printing;
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

// The finished picture to the file -o names, or to out for -o -.
bool WriteBytes(const std::string& bytes, const RenderOptions& o, std::ostream& out, std::string& reason)
{
    if (ToStandardOutput(o)) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        reason = OutputLoss(out);
        return reason.empty();
    }
    COutputFile file;
    bool written = file.Open(o.output, 0666, o.input) && file.Write(bytes) && file.Commit();
    reason = file.Reason();
    return written;
}

bool WriteImage(const CImage& image, const RenderOptions& o, std::ostream& out, std::string& reason)
{
    std::string bytes;
    if (!image.Encode(FindOutputType(TypedOutputName(o))->format, bytes)) {
        reason = "the picture could not be encoded";
        return false;
    }
    return WriteBytes(bytes, o, out, reason);
}

} // namespace

bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::ostream& out, std::string& reason,
                     const MapOverlay& overlay)
{
    const std::string format = FindOutputType(TypedOutputName(o))->format;
    if (format == "HTML") {
        std::string page = WebPageText(map, o, reason);
        return !page.empty() && WriteBytes(page, o, out, reason);
    }
    if (!o.print && (format == "SVG" || format == "PDF")) {
        std::string bytes;
        const bool made =
            format == "SVG"
                ? ScreenVector<CSvgPicture>(map, o, overlay, bytes, "the picture could not be made", reason)
                : ScreenVector<CPdfPicture>(map, o, overlay, bytes, "the PDF writer did not finish the picture", reason);
        return made && WriteBytes(bytes, o, out, reason);
    }
    if (!o.print) {
        CImage image;
        return ScreenPicture(map, o, overlay, image, reason) && WriteImage(image, o, out, reason);
    }
    CImage page;
    std::string file;
    if (IsPoster(o)) {
        CPosterFiles pages(PosterPageFiles(o), o.input, format);
        if (!PrintPage(map, o, overlay, PosterTarget(o, format, pages, file), reason))
            return false;
        if (format != "PDF")
            return pages.Commit(reason);
    } else if (!PrintPage(map, o, overlay, PageTarget(o, format, page, file), reason)) {
        return false;
    }
    if (format != "PDF" && format != "SVG")
        return WriteImage(page, o, out, reason);
    // A PDF or SVG file is written by the print job itself; for the
    // standard output it hands over the bytes instead.
    return !ToStandardOutput(o) || WriteBytes(file, o, out, reason);
}
