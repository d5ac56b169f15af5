// SPDX-License-Identifier: MIT
#include "NamedMap.h"

#include "AnswerOutput.h"
#include "FileMessages.h"
#include "MapPicture.h"
#include "PictureTarget.h"
#include "TypedNames.h"

#include "model/map/StarMap.h"

#include "platform/surface/TextEscape.h"

namespace {

// The planets named, in order; an empty list after one line on err when a
// name is no planet's or a stop is its neighbour's planet under another
// name.
std::vector<std::int16_t> PlanetsNamed(const CStarMap& map, const std::vector<std::string>& names, std::ostream& err)
{
    std::vector<std::int16_t> planets;
    for (const std::string& name : names) {
        const std::int16_t planet = PlanetNamed(map, name);
        if (planet < 0) {
            UnknownName(map, name, err);
            return {};
        }
        if (names.size() > 2 && !planets.empty() && planets.back() == planet) {
            err << "kestrin-render: --via \"" << EscapeShown(name)
                << "\" is the planet of the stop next to it; a stop is not visited twice in a row\n";
            return {};
        }
        planets.push_back(planet);
    }
    return planets;
}

bool OutputWritable(const RenderOptions& o, std::ostream& err)
{
    std::string reason;
    if (!DrawsPicture(o))
        return AnswerTargetWritable(o, err);
    if (CheckPictureTarget(o, reason))
        return true;
    CannotWritePicture(o, reason, err);
    return false;
}

} // namespace

bool DrawsPicture(const RenderOptions& o)
{
    return !o.output.empty() && !WritesDataFile(o);
}

bool LoadNamedPlanets(const RenderOptions& o, const std::vector<std::string>& names, CStarMap& map,
                      NamedPlanets& named, std::ostream& err)
{
    if (!OutputWritable(o, err))
        return false;
    CLoadDiagnostic diagnostic;
    if (!map.LoadDataFile(o.input.c_str(), &diagnostic)) {
        if (diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen) {
            CannotOpen(o.input, diagnostic.reason, err);
            return false;
        }
        // As in the viewer, the planets above the bad line are the map.
        LoadStopped(o.input, diagnostic, " (the planets below it are left out)", err);
    }
    named.planets = PlanetsNamed(map, names, err);
    named.options = o;
    return !named.planets.empty() && CenterOnNamed(map, named.options, err);
}

int WriteAnswerAndPicture(CStarMap& map, const RenderOptions& o, const std::string& answer,
                          const RenderOptions& picture, std::ostream& out, std::ostream& err,
                          const MapOverlay& overlay)
{
    RenderOptions data = o;
    if (DrawsPicture(o))
        data.output.clear();
    if (!PictureToStandardOutput(o) && !WriteAnswer(data, answer, out, err))
        return 2;
    std::string reason;
    if (DrawsPicture(o) && !WriteMapPicture(map, picture, out, reason, overlay))
        return CannotWritePicture(o, reason, err);
    return 0;
}
