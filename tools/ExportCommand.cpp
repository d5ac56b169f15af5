// SPDX-License-Identifier: MIT
#include "ExportCommand.h"

#include "AnswerOutput.h"
#include "CsvText.h"
#include "FileMessages.h"
#include "JsonText.h"
#include "PlanetRecord.h"

#include "model/map/StarMap.h"

namespace {

void AppendPlanetJson(const PlanetRecord& r, std::string& text)
{
    text += "{\"name\": ";
    text += JsonString(r.name);
    text += ", \"x\": ";
    text += std::to_string(r.x);
    text += ", \"y\": ";
    text += std::to_string(r.y);
    text += ", \"faction\": ";
    text += JsonString(r.faction);
    text += ", \"legend\": ";
    text += JsonString(r.legend);
    text += ", \"colour\": \"";
    text += r.colour;  // "#rrggbb" needs no escape
    text += "\"}";
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
    text.reserve(std::size_t(map.GetPlanetCount()) * 64);
    CPlanetRecords records(map);
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        const PlanetRecord r = records.Of(i);
        AppendCsvField(r.name, true, text);
        AppendCsvField(std::to_string(r.x), false, text);
        AppendCsvField(std::to_string(r.y), false, text);
        AppendCsvField(r.faction, false, text);
        AppendCsvField(r.legend, false, text);
        AppendCsvField(r.colour, false, text);
        text += "\r\n";
    }
    return text;
}

std::string PlanetsJson(const CStarMap& map, const std::string& path, const CLoadDiagnostic& diagnostic)
{
    std::string text = "{\n  \"file\": " + JsonString(path) + ",\n  \"planets\": [";
    text.reserve(std::size_t(map.GetPlanetCount()) * 128);
    CPlanetRecords records(map);
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        AppendPlanetJson(records.Of(i), text);
    }
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
