#include "ExportCommand.h"

#include "AnswerOutput.h"
#include "CsvText.h"
#include "FileMessages.h"
#include "JsonText.h"
#include "PlanetRecord.h"

#include "model/StarMap.h"

namespace {

std::string PlanetJson(const PlanetRecord& r)
{
    return "{\"name\": " + JsonString(r.name) + ", \"x\": " + std::to_string(r.x) + ", \"y\": " + std::to_string(r.y) +
           ", \"faction\": " + JsonString(r.faction) + ", \"legend\": " + JsonString(r.legend) +
           ", \"colour\": " + JsonString(r.colour) + "}";
}

std::string LoadJson(const CLoadDiagnostic& diagnostic)
{
    if (diagnostic.cause == CLoadDiagnostic::Cause::None)
        return "{\"complete\": true}";
    return "{\"complete\": false, \"line\": " + std::to_string(diagnostic.line) +
           ", \"cause\": " + JsonString(CLoadDiagnostic::Describe(diagnostic.cause)) + "}";
}

} // namespace

std::string PlanetsCsv(const CStarMap& map)
{
    std::string text = CsvRow({"name", "x", "y", "faction", "legend", "colour"});
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        PlanetRecord r = RecordOf(map, i);
        text += CsvRow({r.name, std::to_string(r.x), std::to_string(r.y), r.faction, r.legend, r.colour});
    }
    return text;
}

std::string PlanetsJson(const CStarMap& map, const std::string& path, const CLoadDiagnostic& diagnostic)
{
    std::string text = "{\n  \"file\": " + JsonString(path) + ",\n  \"planets\": [";
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i)
        text += std::string(i == 0 ? "\n    " : ",\n    ") + PlanetJson(RecordOf(map, i));
    const bool utf8 = map.GetTextEncoding() == CTextEncoding::Utf8;
    text += std::string(map.HasPlanets() ? "\n  ],\n" : "],\n") + "  \"encoding\": " +
            (utf8 ? "\"UTF-8\"" : "\"Windows-1252\"") + ",\n  \"load\": " + LoadJson(diagnostic) + "\n}\n";
    return text;
}

int RunExport(const RenderOptions& o, std::ostream& out, std::ostream& err)
{
    if (!AnswerTargetWritable(o, err))
        return 2;
    CStarMap map;
    CLoadDiagnostic diagnostic;
    const bool loaded = map.LoadDataFile(o.input.c_str(), &diagnostic);
    if (!loaded && diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen)
        return CannotOpen(o.input, diagnostic.reason, err);
    const std::string text = o.exportFormat == "csv" ? PlanetsCsv(map) : PlanetsJson(map, o.input, diagnostic);
    if (!WriteAnswer(o, text, out, err))
        return 2;
    if (loaded)
        return 0;
    err << "Error loading data file\n";
    LoadStopped(o.input, diagnostic, "", err);
    return 1;
}
