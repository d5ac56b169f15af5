// SPDX-License-Identifier: MIT
#include "Renderer.h"

#include "CheckCommand.h"
#include "ExportCommand.h"
#include "FileMessages.h"
#include "MapPicture.h"
#include "NearCommand.h"
#include "OutputCheck.h"
#include "PictureTarget.h"
#include "RenderOptions.h"
#include "RouteCommand.h"
#include "TypedNames.h"

#include "model/map/LightYears.h"
#include "model/map/StarMap.h"
#include "res/Version.h"


#include <iostream>
#include <optional>

namespace {

// The measure lines of the command line, each labelled with its length.
void AddMeasures(CStarMap& map, const RenderOptions& o)
{
    for (const CRect& m : o.measures)
        map.AddMeasureLine(m.left, m.top, m.right, m.bottom, WholeLightYears({m.left, m.top}, {m.right, m.bottom}));
}

// Loads, draws and writes: 0, or 1 when the load failed part-way (the
// partial map is written), or 2 when nothing could be written.
int Render(RenderOptions o, std::ostream& out, std::ostream& err)
{
    std::string reason;
    if (!CheckPictureTarget(o, reason))
        return CannotWritePicture(o, reason, err);
    CStarMap map;
    CLoadDiagnostic diagnostic;
    BOOL loaded = map.LoadDataFile(o.input.c_str(), &diagnostic);
    if (!loaded && diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen)
        return CannotOpen(o.input, diagnostic.reason, err);
    if (!CenterOnNamed(map, o, err))
        return 2;
    AddMeasures(map, o);
    if (!WriteMapPicture(map, o, out, reason))
        return CannotWritePicture(o, reason, err);
    if (loaded)
        return 0;
    err << "Error loading data file\n";
    LoadStopped(o.input, diagnostic, "", err);
    return 1;
}

// --help and --version, answered without reading or drawing anything.
std::optional<int> AnswerHelpOrVersion(const RenderOptions& o, std::ostream& out)
{
    if (o.help)
        out << kRenderHelp;
    else if (o.version)
        out << "kestrin-render " << kKestrinVersion << '\n' << kKestrinLicence << '\n';
    else
        return std::nullopt;
    return 0;
}

int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    std::optional<RenderOptions> options = ParseRenderOptions(args, error);
    if (!options) {
        err << error << '\n';
        return 2;
    }
    if (std::optional<int> status = AnswerHelpOrVersion(*options, out))
        return *status;
    if (!PictureOutputFits(*options, out, err))
        return 2;
    if (options->check)
        return RunCheck(options->input, options->json, out, err);
    if (options->route)
        return RunRoute(*options, out, err);
    if (!options->exportFormat.empty())
        return RunExport(*options, out, err);
    if (options->nearName)
        return RunNear(*options, out, err);
    return Render(*options, out, err);
}

} // namespace

int RenderMain(const std::vector<std::string>& args, std::ostream& err)
{
    return RenderMain(args, std::cout, err);
}

int RenderMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    int status = Dispatch(args, out, err);
    // A command that failed on its own output has said so already.
    if (status == 2 && !out.good())
        return status;
    return OutputWritten(out, err) ? status : 2;
}
