#include "Renderer.h"

#include "OutputTypes.h"
#include "RenderOptions.h"

#include "model/KestrinDoc.h"
#include "model/LightYears.h"
#include "model/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/OutputFile.h"
#include "res/Version.h"
#include "view/KestrinView.h"
#include "view/Legend.h"

#include <iostream>

namespace {

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

// A PDF page goes through the view's own print job, as File Print would.
bool PrintPdf(CStarMap& map, const RenderOptions& o, std::string& reason)
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
    bool printed = view.PrintToTarget(pdf, &reason);
    doc.m_pMap = nullptr;  // the map is the caller's
    return printed;
}

bool WritePicture(CStarMap& map, const RenderOptions& o, std::string& reason)
{
    CImage image;
    if (o.print) {
        image = CImage(8 * o.dpi, 10 * o.dpi, RGB(255, 255, 255));
        image.SetDpi(o.dpi, o.dpi);
        DrawPage(image, map, o);
    } else {
        image = CImage(o.size.cx, o.size.cy, RGB(0, 0, 0));
        DrawScreen(image, map, o);
    }
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

// Writes the picture; a failure leaves whatever stood at the output as it was.
bool WriteOutput(CStarMap& map, const RenderOptions& o, std::string& reason)
{
    if (std::string(FindOutputType(o.output)->format) == "PDF")
        return PrintPdf(map, o, reason);
    return WritePicture(map, o, reason);
}

// Everything that can be known about the output before the input is read.
bool CheckOutput(const RenderOptions& o, std::string& reason)
{
    reason = OutputTypeProblem(o.output, o.print);
    return reason.empty() && COutputFile::CheckTarget(o.output, o.input, reason);
}

} // namespace

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
    std::string reason;
    if (!CheckOutput(o, reason)) {
        err << "kestrin-render: cannot write " << o.output << ": " << reason << '\n';
        return 2;
    }
    CStarMap map;
    CLoadDiagnostic diagnostic;
    BOOL loaded = map.LoadDataFile(o.input.c_str(), &diagnostic);
    if (!loaded && diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen) {
        err << "kestrin-render: cannot open " << o.input << '\n';
        return 2;
    }
    for (const CRect& m : o.measures)
        map.AddMeasureLine(m.left, m.top, m.right, m.bottom, WholeLightYears({m.left, m.top}, {m.right, m.bottom}));
    if (!WriteOutput(map, o, reason)) {
        err << "kestrin-render: cannot write " << o.output << ": " << reason << '\n';
        return 2;
    }
    if (!loaded) {
        err << "Error loading data file\n"
            << o.input << ':' << diagnostic.line << ": " << CLoadDiagnostic::Describe(diagnostic.cause) << '\n';
        return 1;
    }
    return 0;
}
