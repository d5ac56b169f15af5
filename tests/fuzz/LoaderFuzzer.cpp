// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to CStarMap::LoadDataFile through a real file, and
// checks what must hold for any input: no crash or leak (the sanitizers),
// every position a whole number of map units times 10, names and codes free
// of delimiters, at most 32767 planets, and the same list and result when
// the same bytes are loaded twice; and that a plain second reading of the
// same bytes in memory gives the same result. The complete check of the
// same file must find its first error where the loader stops, with the
// loader's planets before it.

#include "ReferenceLoader.h"

#include "model/check/DataFileCheck.h"
#include "model/map/StarMap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_path;

struct Snapshot {
    BOOL ok = FALSE;
    CLoadDiagnostic diagnostic;
    std::string planets;  // every field of every planet, NUL-separated
    int count = 0;
};

[[noreturn]] void Fault(const char* what)
{
    std::fprintf(stderr, "loader_fuzzer: %s\n", what);
    std::abort();
}

void RemoveFile()
{
    ::unlink(g_path.c_str());
}

void WriteInput(const std::uint8_t* data, std::size_t size)
{
    int fd = ::open(g_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        Fault("cannot write the input file");
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            Fault("short write of the input file");
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    ::close(fd);
}

bool HasDelimiter(const std::string& s)
{
    return s.find_first_of(std::string(" \t\n\r\0", 5)) != std::string::npos;
}

void CheckPlanet(const CPlanet& planet)
{
    if (planet.m_x % 10 != 0 || planet.m_y % 10 != 0)
        Fault("a coordinate is not a multiple of 10");
    if (planet.m_strFaction.empty() || HasDelimiter(planet.m_strFaction))
        Fault("a faction code is empty or holds a delimiter");
    const std::string& name = planet.m_strName;
    if (name.find_first_of(std::string("\t\n\r\0", 4)) != std::string::npos)
        Fault("a name holds a delimiter other than single spaces");
    if (!name.empty() && (name.front() == ' ' || name.back() == ' ' || name.find("  ") != std::string::npos))
        Fault("a name's words are not joined by single spaces");
}

std::string Fields(const CPlanet& p)
{
    return p.m_strName + '\0' + std::to_string(p.m_x) + '\0' + std::to_string(p.m_y) + '\0' + p.m_strFaction + '\0';
}

Snapshot Load()
{
    Snapshot s;
    CStarMap map;
    s.ok = map.LoadDataFile(g_path.c_str(), &s.diagnostic);
    if ((s.ok == TRUE) != (s.diagnostic.cause == CLoadDiagnostic::Cause::None))
        Fault("the result and the recorded cause disagree");
    s.count = map.GetPlanetCount();
    if (s.count < 0 || s.count > CStarMap::kMaxPlanets)
        Fault("the planet count left its 16-bit range");
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        const CPlanet& p = map.GetPlanet(i);
        CheckPlanet(p);
        s.planets += Fields(p);
    }
    return s;
}

void CompareWithCheck(const Snapshot& loaded)
{
    CCheckReport report = CheckDataFile(g_path.c_str());
    if (!report.opened || (report.errors == 0) != (loaded.ok == TRUE) || report.planetsShown != loaded.count)
        Fault("the check and the loader disagree on the result or the planets shown");
    if (loaded.ok == TRUE)
        return;
    for (const CCheckFinding& finding : report.findings) {
        if (finding.Severity() != CCheckSeverity::Error)
            continue;
        if (finding.line != loaded.diagnostic.line)
            Fault("the check's first error is not where the loader stops");
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A file per process, in memory where the machine offers it.
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
    g_path = std::string(dir != nullptr ? dir : "/tmp") + "/kestrin-fuzz-" + std::to_string(::getpid()) + ".dat";
    std::atexit(RemoveFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteInput(data, size);
    Snapshot first = Load();
    Snapshot second = Load();
    if (first.ok != second.ok || first.diagnostic.cause != second.diagnostic.cause ||
        first.diagnostic.line != second.diagnostic.line || first.count != second.count ||
        first.planets != second.planets)
        Fault("loading the same bytes twice gave different results");
    ReferenceResult expected = ReferenceLoad(std::string(reinterpret_cast<const char*>(data), size));
    Snapshot reference;
    reference.ok = expected.ok ? TRUE : FALSE;
    reference.count = static_cast<int>(expected.planets.size());
    for (const CPlanet& p : expected.planets)
        reference.planets += Fields(p);
    if (first.ok != reference.ok || first.diagnostic.cause != expected.cause ||
        first.diagnostic.line != expected.line || first.planets != reference.planets)
        Fault("the loader and the plain reading of the same bytes disagree");
    CompareWithCheck(first);
    return 0;
}
