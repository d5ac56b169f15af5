// SPDX-License-Identifier: MIT
#include "CheckCommand.h"

#include "FileMessages.h"
#include "JsonText.h"
#include "OutputCheck.h"

#include "model/check/DataFileCheck.h"
#include "view/MapViewport.h"

#include "platform/surface/TextEscape.h"

namespace {

const char* SeverityName(const CCheckFinding& finding)
{
    return finding.Severity() == CCheckSeverity::Error ? "error" : "warning";
}

std::string Plural(std::int64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// How often a folded finding was found, and where.
std::string Repeats(const CCheckFinding& finding)
{
    if (finding.times == 1)
        return std::string();
    std::string where = finding.lastLine == finding.line ? " on this line"
                                                          : " on lines " + std::to_string(finding.line) + " to " +
                                                                std::to_string(finding.lastLine);
    return " (" + std::to_string(finding.times) + " times" + where + ")";
}

void WriteText(const std::string& path, const CCheckReport& report, std::ostream& out)
{
    // The file name may hold control bytes; they must not reach a terminal.
    const std::string shown = EscapeShown(path);
    for (const CCheckFinding& finding : report.findings)
        out << shown << ':' << finding.line << ": " << SeverityName(finding) << ": " << finding.message
            << Repeats(finding) << '\n';
    if (report.unlisted > 0)
        out << shown << ": " << Plural(report.unlisted, "more problem", "more problems") << " not listed\n";
    out << shown << ": " << Plural(report.planets, "planet", "planets") << " read";
    if (report.planetsShown != report.planets)
        out << " (the viewer shows " << report.planetsShown << ")";
    out << ", " << Plural(report.errors, "error", "errors") << ", "
        << Plural(report.warnings, "warning", "warnings") << '\n';
}

void WriteJson(const std::string& path, const CCheckReport& report, std::ostream& out)
{
    out << "{\n  \"file\": " << JsonString(path) << ",\n  \"planets\": " << report.planets
        << ",\n  \"planetsShown\": " << report.planetsShown << ",\n  \"errors\": " << report.errors
        << ",\n  \"warnings\": " << report.warnings << ",\n  \"unlisted\": " << report.unlisted
        << ",\n  \"findings\": [";
    const char* separator = "\n";
    for (const CCheckFinding& finding : report.findings) {
        out << separator << "    {\"line\": " << finding.line << ", \"severity\": \"" << SeverityName(finding)
            << "\", \"kind\": \"" << CheckKindName(finding.kind) << "\", \"message\": "
            << JsonString(finding.message);
        if (finding.times != 1)
            out << ", \"times\": " << finding.times << ", \"lastLine\": " << finding.lastLine;
        out << '}';
        separator = ",\n";
    }
    out << (report.findings.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

} // namespace

int RunCheck(const std::string& path, bool json, std::ostream& out, std::ostream& err)
{
    CCheckReport report = CheckDataFile(path.c_str(), CMapViewport::ScrollReach());
    if (!report.opened)
        return CannotOpen(path, report.reason, err);
    if (json)
        WriteJson(path, report, out);
    else
        WriteText(path, report, out);
    if (!OutputWritten(out, err))
        return 2;
    return report.errors > 0 ? 1 : report.warnings > 0 ? 3 : 0;
}
