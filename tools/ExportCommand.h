// SPDX-License-Identifier: MIT
#pragma once

// kestrin-render --export csv|json FILE.dat: every planet the loader keeps,
// in file order, as PlanetRecord.h has it: in CSV one row each under a
// header row; in JSON an object with the file, the planets, the map's
// encoding and how the load ended (complete, or the line where it stopped
// and why). Written to the standard output, or to the file -o names.
//
// Returns the exit status: 0 for a whole map; 1 when the load stopped
// part-way (the planets above the bad line are written, and err says
// where, as for a picture); 2 for an unreadable map or lost output.

#include "RenderOptions.h"

#include <ostream>
#include <string>

class CStarMap;
struct CLoadDiagnostic;

std::string PlanetsCsv(const CStarMap& map);
std::string PlanetsJson(const CStarMap& map, const std::string& path, const CLoadDiagnostic& diagnostic);

int RunExport(const RenderOptions& o, std::ostream& out, std::ostream& err);
