#include "Renderer.h"

#include "RenderOptions.h"

#include "model/KestrinDoc.h"
#include "model/StarMap.h"
#include "platform/DC.h"
#include "platform/Image.h"
#include "res/Version.h"
#include "view/KestrinView.h"
#include "view/Legend.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

constexpr int kMapUnitsPerLightYear = 20;

void DrawScreen(CImage& image, CStarMap& map, const RenderOptions& o)
{
    CDC dc;
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(o.zoom.cx, o.zoom.cy);
    dc.SetViewportExt(o.size.cx, o.size.cy);
    dc.SetWindowOrg(o.center.x, o.center.y);
    dc.SetViewportOrg(o.size.cx / 2, o.size.cy / 2);
    map.Draw(&dc, o.circles, o.truce);
    dc.Detach();
    if (o.legend) {
        CDC legend;
        legend.AttachImage(image);
        DrawLegend(&legend, &map);
    }
}

void DrawPage(CImage& image, CStarMap& map, const RenderOptions& o)
{
    CDC dc;
    dc.AttachImage(image);
    dc.SetPrinting(true);
    int x = dc.GetDeviceCaps(LOGPIXELSX), y = dc.GetDeviceCaps(LOGPIXELSY);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(o.zoom.cx, o.zoom.cy);
    dc.SetViewportExt(8 * x, 10 * y);
    dc.SetWindowOrg(o.center.x, o.center.y);
    dc.SetViewportOrg(4 * x, 5 * y);
    map.Draw(&dc, o.circles, o.truce);
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A PDF page goes through the view's own print job, as File Print would.
bool PrintPdf(CStarMap& map, const RenderOptions& o)
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
    CPrinterTarget pdf;
    pdf.kind = CPrinterTarget::Kind::PdfFile;
    pdf.name = "PDF";
    pdf.file = o.output;
    pdf.dpi = o.dpi;
    bool printed = view.PrintToTarget(pdf);
    doc.m_pMap = nullptr;  // the map is the caller's
    return printed;
}

} // namespace

int LightYearsOf(int x1, int y1, int x2, int y2)
{
    double dx = std::fabs(double(x1) - double(x2));
    double dy = std::fabs(double(y1) - double(y2));
    double length = std::sqrt(dx * dx + dy * dy);
    return static_cast<int>(static_cast<long long>(length) / kMapUnitsPerLightYear);
}

int RenderMain(const std::vector<std::string>& args, std::ostream& err)
{
    return RenderMain(args, std::cout, err);
}

int RenderMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    auto options = ParseRenderOptions(args, error);
    if (!options) {
        err << error << '\n';
        return 2;
    }
    const RenderOptions& o = *options;
    if (o.help) {
        out << kRenderHelp;
        return 0;
    }
    if (o.version) {
        out << "kestrin-render " << kKestrinVersion << '\n';
        return 0;
    }
    CStarMap map;
    CLoadDiagnostic diagnostic;
    BOOL loaded = map.LoadDataFile(o.input.c_str(), &diagnostic);
    if (!loaded && diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen) {
        err << "kestrin-render: cannot open " << o.input << '\n';
        return 2;
    }
    for (const CRect& m : o.measures)
        map.AddMeasureLine(m.left, m.top, m.right, m.bottom, LightYearsOf(m.left, m.top, m.right, m.bottom));

    CImage image;
    if (o.print && EndsWith(o.output, ".pdf")) {
        if (!PrintPdf(map, o)) {
            std::error_code ec;
            std::filesystem::remove(o.output, ec);
            err << "kestrin-render: cannot write " << o.output << '\n';
            return 2;
        }
    } else if (o.print) {
        image = CImage(8 * o.dpi, 10 * o.dpi, RGB(255, 255, 255));
        image.SetDpi(o.dpi, o.dpi);
        DrawPage(image, map, o);
    } else {
        image = CImage(o.size.cx, o.size.cy, RGB(0, 0, 0));
        DrawScreen(image, map, o);
    }
    if (!image.IsNull() && !image.Save(o.output)) {
        std::error_code ec;
        std::filesystem::remove(o.output, ec);
        err << "kestrin-render: cannot write " << o.output << '\n';
        return 2;
    }
    if (!loaded) {
        err << "Error loading data file\n"
            << o.input << ':' << diagnostic.line << ": " << CLoadDiagnostic::Describe(diagnostic.cause) << '\n';
        return 1;
    }
    return 0;
}
