// SPDX-License-Identifier: MIT
#include "MapPicture.h"

#include "OutputCheck.h"
#include "OutputTypes.h"
#include "PictureView.h"
#include "PosterFiles.h"
#include "PosterOptions.h"
#include "PosterView.h"
#include "WebPage.h"

#include "model/KestrinDoc.h"
#include "model/map/StarMap.h"
#include "view/KestrinView.h"
#include "view/Legend.h"
#include "view/MapViewport.h"

#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/OutputFile.h"
#include "platform/surface/SvgPicture.h"

namespace {

// What a screen picture reports as its resolution, as an image does.
constexpr int kScreenDpi = 96;

// The screen picture on dc, which attach attaches to the picture: the map
// under the screen mapping, then the legend in device pixels from the
// default state.
template <class Attach>
void DrawScreen(CDC& dc, CStarMap& map, const RenderOptions& o, Attach attach)
{
    attach(dc);
    CMapViewport(o.zoom, o.center, o.size).PrepareScreen(dc);
    map.Draw(&dc, o.circles, o.truce);
    if (o.ring)
        DrawRangeRing(dc, map, *o.ring);
    if (o.legend) {
        attach(dc);
        DrawLegend(&dc, &map);
    }
}

CImage ScreenPicture(CStarMap& map, const RenderOptions& o)
{
    CImage image(o.size.cx, o.size.cy, RGB(0, 0, 0));
    CDC dc;
    DrawScreen(dc, map, o, [&image](CDC& surface) { surface.AttachImage(image); });
    dc.Detach();
    return image;
}

// The same picture as vector graphics.
bool ScreenSvg(CStarMap& map, const RenderOptions& o, std::string& bytes)
{
    CSvgPicture picture(o.size.cx, o.size.cy, kScreenDpi, RGB(0, 0, 0));
    CDC dc;
    DrawScreen(dc, map, o, [&picture](CDC& surface) { picture.Attach(surface); });
    return picture.Finish(dc, bytes);
}

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

// The view that prints: the window's own for its page, else one that
// prints at a fixed scale or as a poster.
std::unique_ptr<CKestrinView> PrintingView(const RenderOptions& o)
{
    if (!IsPoster(o) && !o.scale)
        return std::make_unique<CPictureView>(o.ring);
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
bool PrintPage(CStarMap& map, const RenderOptions& o, const CPrinterTarget& target, std::string& reason)
{
    CKestrinDoc doc;
    doc.m_pMap = &map;
    // Titled as the window titles the open file, for the job's title.
    doc.SetPathName(CDocument::CanonicalPath(o.input));
    std::unique_ptr<CKestrinView> printing = PrintingView(o);
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

bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::ostream& out, std::string& reason)
{
    const std::string format = FindOutputType(TypedOutputName(o))->format;
    if (format == "HTML") {
        std::string page = WebPageText(map, o, reason);
        return !page.empty() && WriteBytes(page, o, out, reason);
    }
    if (!o.print && format == "SVG") {
        std::string bytes;
        if (ScreenSvg(map, o, bytes))
            return WriteBytes(bytes, o, out, reason);
        reason = "the picture could not be made";
        return false;
    }
    if (!o.print)
        return WriteImage(ScreenPicture(map, o), o, out, reason);
    CImage page;
    std::string file;
    if (IsPoster(o)) {
        CPosterFiles pages(PosterPageFiles(o), o.input, format);
        if (!PrintPage(map, o, PosterTarget(o, format, pages, file), reason))
            return false;
        if (format != "PDF")
            return pages.Commit(reason);
    } else if (!PrintPage(map, o, PageTarget(o, format, page, file), reason)) {
        return false;
    }
    if (format != "PDF" && format != "SVG")
        return WriteImage(page, o, out, reason);
    // A PDF or SVG file is written by the print job itself; for the
    // standard output it hands over the bytes instead.
    return !ToStandardOutput(o) || WriteBytes(file, o, out, reason);
}
