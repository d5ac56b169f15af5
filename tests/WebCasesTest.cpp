// SPDX-License-Identifier: MIT
// The shared tables of cases under tests/web-cases: the web page carries
// its own copies of the light-year, hover, suggestion and route rules, and
// its tests check them against these same tables. Here every expectation
// of the tables is checked against the viewer's own code, so a change on
// either side that the other does not follow fails one of the two suites.

#include "LoadedMap.h"
#include "TestFiles.h"

#include "model/find/PlanetIndex.h"
#include "model/map/FactionTable.h"
#include "model/map/JumpRange.h"
#include "model/map/LightYears.h"
#include "model/find/NameSuggestions.h"
#include "model/route/RouteFinder.h"
#include "model/map/StarMap.h"
#include "tools/RenderOptions.h"
#include "tools/RouteCommand.h"
#include "view/MapViewport.h"
#include "view/PlanetHover.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

QJsonObject ReadTable(const char* name)
{
    QFile file(QString(KESTRIN_WEB_CASES_DIR) + "/" + name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot read the table ") + name);
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error(std::string(name) + ": " + error.errorString().toStdString());
    return document.object();
}

std::string Utf8(const QJsonValue& value)
{
    return value.toString().toStdString();
}

CPoint PointOf(const QJsonValue& value)
{
    QJsonArray pair = value.toArray();
    return CPoint(pair[0].toInt(), pair[1].toInt());
}

// A table's map as data-file bytes: its lines, raw bytes when the map says
// "latin1", else UTF-8.
std::string DataFileOf(const QJsonObject& entry)
{
    const bool raw = entry["bytes"].toString() == "latin1";
    std::string bytes;
    for (const QJsonValue& line : entry["lines"].toArray()) {
        QString text = line.toString();
        bytes += raw ? text.toLatin1().toStdString() : text.toStdString();
        bytes += '\n';
    }
    return bytes;
}

std::map<std::string, std::unique_ptr<CStarMap>> MapsOf(const QJsonObject& table)
{
    std::map<std::string, std::unique_ptr<CStarMap>> maps;
    const QJsonObject entries = table["maps"].toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it)
        maps[it.key().toStdString()] = LoadMap(DataFileOf(it.value().toObject()));
    return maps;
}

// A case, shown when it fails.
std::string Shown(const QJsonObject& c)
{
    return QJsonDocument(c).toJson(QJsonDocument::Compact).toStdString();
}

// The planet named typed (UTF-8), as --route and Center On's OK find it.
std::int16_t PlanetNamed(const CStarMap& map, const std::string& typed)
{
    std::optional<std::string> name = FromUtf8(typed, map.GetTextEncoding());
    return name ? map.FindPlanetIndex(*name) : std::int16_t(-1);
}

} // namespace

TEST(WebCases, LightYearsAsMeasureLinesCountThem)
{
    const QJsonArray cases = ReadTable("lightyears.json")["lengths"].toArray();
    ASSERT_GE(cases.size(), 10);
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        EXPECT_EQ(WholeLightYears(PointOf(c["a"]), PointOf(c["b"])), c["lightYears"].toInteger()) << Shown(c);
    }
}

TEST(WebCases, JumpRangesReadAsTyped)
{
    const QJsonArray cases = ReadTable("lightyears.json")["ranges"].toArray();
    ASSERT_GE(cases.size(), 10);
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        std::optional<CJumpRange> range = CJumpRange::Parse(Utf8(c["text"]));
        if (c["thousandths"].isNull()) {
            EXPECT_FALSE(range.has_value()) << Shown(c);
            continue;
        }
        ASSERT_TRUE(range.has_value()) << Shown(c);
        EXPECT_EQ(range->Thousandths(), std::uint64_t(c["thousandths"].toInteger())) << Shown(c);
    }
}

// The range as the no-route answer reads it back.
TEST(WebCases, JumpRangesReadBackAsTyped)
{
    TempDir dir;
    RenderOptions o;
    o.route = true;
    o.input = dir.Write("two.dat", "Here 0 0 KOR\nThere 2147483 2147483 KOR\n");
    o.routeFrom = "Here";
    o.routeTo = "There";
    for (const QJsonValue& value : ReadTable("lightyears.json")["ranges"].toArray()) {
        QJsonObject c = value.toObject();
        if (c["thousandths"].isNull() || c["thousandths"].toDouble() >= 3e11)
            continue;  // no range, or one that reaches the other planet
        o.jump = CJumpRange::FromThousandths(std::uint64_t(c["thousandths"].toInteger()));
        std::ostringstream out, err;
        ASSERT_EQ(RunRoute(o, out, err), 1) << Shown(c);
        EXPECT_NE(err.str().find(" at most " + Utf8(c["shown"]) + " light years"), std::string::npos) << Shown(c) << err.str();
    }
}

TEST(WebCases, JumpRangeBoundaries)
{
    const QJsonArray cases = ReadTable("lightyears.json")["jumps"].toArray();
    ASSERT_GE(cases.size(), 10);
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        std::optional<CJumpRange> range = CJumpRange::Parse(Utf8(c["range"]));
        ASSERT_TRUE(range.has_value()) << Shown(c);
        EXPECT_EQ(range->Allows(PointOf(c["a"]), PointOf(c["b"])), c["allowed"].toBool()) << Shown(c);
        EXPECT_EQ(range->Allows(PointOf(c["b"]), PointOf(c["a"])), c["allowed"].toBool()) << Shown(c);
    }
}

TEST(WebCases, LegendNamesAreTheFactionTables)
{
    const QJsonArray rows = ReadTable("hover.json")["legend"].toArray();
    ASSERT_EQ(std::size_t(rows.size()), kLegendRows.size());
    for (std::size_t i = 0; i < kLegendRows.size(); ++i) {
        EXPECT_EQ(Utf8(rows[qsizetype(i)].toObject()["code"]), kLegendRows[i].code);
        EXPECT_EQ(Utf8(rows[qsizetype(i)].toObject()["name"]), kLegendRows[i].text);
    }
}

// Each case's picture makes the screen mapping the table gives the page,
// and the pointer there gets the table's tip.
TEST(WebCases, HoverTextUnderThePointer)
{
    const QJsonObject table = ReadTable("hover.json");
    const auto maps = MapsOf(table);
    const QJsonArray cases = table["cases"].toArray();
    ASSERT_GE(cases.size(), 40);
    int shown = 0;
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        CPoint zoom = PointOf(c["zoom"]), size = PointOf(c["size"]);
        CMapViewport viewport(CSize(zoom.x, zoom.y), PointOf(c["center"]), CSize(size.x, size.y));
        const CMapping& m = viewport.ScreenMapping();
        QJsonObject mapping = c["mapping"].toObject();
        EXPECT_EQ(m.ExactScaleX().num, mapping["scaleX"].toObject()["num"].toInteger()) << Shown(c);
        EXPECT_EQ(m.ExactScaleX().den, mapping["scaleX"].toObject()["den"].toInteger()) << Shown(c);
        EXPECT_EQ(m.ExactScaleY().num, mapping["scaleY"].toObject()["num"].toInteger()) << Shown(c);
        EXPECT_EQ(m.ExactScaleY().den, mapping["scaleY"].toObject()["den"].toInteger()) << Shown(c);
        EXPECT_EQ(m.GetViewportOrg(), PointOf(QJsonArray{mapping["viewportOrg"].toObject()["x"], mapping["viewportOrg"].toObject()["y"]}));
        EXPECT_EQ(m.GetWindowOrg(), PointOf(QJsonArray{mapping["windowOrg"].toObject()["x"], mapping["windowOrg"].toObject()["y"]}));
        const CStarMap& map = *maps.at(Utf8(c["map"]));
        const std::string text = HoverText(map, CPlanetIndex(map), viewport, PointOf(c["client"]));
        EXPECT_EQ(text, Utf8(c["text"])) << Shown(c);
        shown += !text.empty();
    }
    // Enough of them point at something, and enough at nothing.
    EXPECT_GE(shown, 30);
    EXPECT_GE(cases.size() - shown, 5);
}

TEST(WebCases, HoverLineOfAnyPoint)
{
    CStarMap map;
    for (const QJsonValue& value : ReadTable("hover.json")["lines"].toArray()) {
        QJsonObject c = value.toObject();
        QJsonArray p = c["planet"].toArray();
        CPlanet planet{Utf8(p[0]), p[1].toInt(), p[2].toInt(), Utf8(p[3])};
        EXPECT_EQ(HoverLine(map, planet), Utf8(c["line"])) << Shown(c);
    }
}

TEST(WebCases, CenterOnSuggestions)
{
    const QJsonObject table = ReadTable("suggest.json");
    const auto maps = MapsOf(table);
    const QJsonArray cases = table["cases"].toArray();
    ASSERT_GE(cases.size(), 50);
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        const CStarMap& map = *maps.at(Utf8(c["map"]));
        // Typed text is UTF-16 in the page as in the toolkit, which turns
        // a lone surrogate into "?" on the way to UTF-8, as here.
        const std::string typed = Utf8(c["typed"]);
        std::vector<std::int16_t> planets = CNameSuggestions(map).Suggest(typed);
        std::vector<std::int16_t> expected;
        for (const QJsonValue& planet : c["planets"].toArray())
            expected.push_back(std::int16_t(planet.toInt()));
        EXPECT_EQ(planets, expected) << Shown(c);
        QJsonArray names = c["names"].toArray();
        for (std::size_t i = 0; i < planets.size() && i < std::size_t(names.size()); ++i)
            EXPECT_EQ(ToUtf8(map.GetPlanet(planets[i]).m_strName, map.GetTextEncoding()), Utf8(names[qsizetype(i)])) << Shown(c);
        EXPECT_EQ(PlanetNamed(map, typed), c["exact"].toInt()) << Shown(c);
    }
}

TEST(WebCases, RoutesAsTheRouteFinderChoosesThem)
{
    const QJsonObject table = ReadTable("route.json");
    const auto maps = MapsOf(table);
    const QJsonArray cases = table["cases"].toArray();
    ASSERT_GE(cases.size(), 50);
    for (const QJsonValue& value : cases) {
        QJsonObject c = value.toObject();
        if (!c.contains("found") && !c["unknown"].toBool())
            continue;  // pinned by its text alone
        const CStarMap& map = *maps.at(Utf8(c["map"]));
        const std::int16_t from = PlanetNamed(map, Utf8(c["from"])), to = PlanetNamed(map, Utf8(c["to"]));
        if (c["unknown"].toBool()) {
            EXPECT_TRUE(from < 0 || to < 0) << Shown(c);
            continue;
        }
        ASSERT_TRUE(from >= 0 && to >= 0) << Shown(c);
        std::optional<CJumpRange> range = CJumpRange::Parse(Utf8(c["range"]));
        ASSERT_TRUE(range.has_value()) << Shown(c);
        CRoute route = FindRoute(map, CPlanetIndex(map), from, to, *range);
        ASSERT_EQ(route.found, c["found"].toBool()) << Shown(c);
        if (!route.found) {
            EXPECT_EQ(route.nearest, c["nearest"].toInt()) << Shown(c);
            EXPECT_EQ(route.nearestLightYears, c["nearestLightYears"].toInt()) << Shown(c);
            continue;
        }
        QJsonArray legs = c["legs"].toArray();
        ASSERT_EQ(route.legs.size(), std::size_t(legs.size())) << Shown(c);
        for (std::size_t i = 0; i < route.legs.size(); ++i) {
            QJsonArray leg = legs[qsizetype(i)].toArray();
            EXPECT_EQ(route.legs[i].from, leg[0].toInt()) << "leg " << i << " of " << Shown(c);
            EXPECT_EQ(route.legs[i].to, leg[1].toInt()) << "leg " << i << " of " << Shown(c);
            EXPECT_EQ(route.legs[i].lightYears, leg[2].toInt()) << "leg " << i << " of " << Shown(c);
        }
        EXPECT_EQ(route.LightYears(), c["lightYears"].toInteger()) << Shown(c);
    }
}

// The route's text, byte for byte as the command writes it: the legs,
// total and longest jump on standard output; the no-route answer with the
// least range that finds one, and the unknown name, on standard error.
TEST(WebCases, RouteTextAsTheCommandWritesIt)
{
    const QJsonObject table = ReadTable("route.json");
    TempDir dir;
    std::map<std::string, std::string> files;
    const QJsonObject entries = table["maps"].toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it)
        files[it.key().toStdString()] = dir.Write(it.key().toStdString() + ".dat", DataFileOf(it.value().toObject()));
    int found = 0, none = 0;
    for (const QJsonValue& value : table["cases"].toArray()) {
        QJsonObject c = value.toObject();
        RenderOptions o;
        o.route = true;
        o.input = files.at(Utf8(c["map"]));
        o.routeFrom = Utf8(c["from"]);
        o.routeTo = Utf8(c["to"]);
        o.jump = CJumpRange::Parse(Utf8(c["range"]));
        ASSERT_TRUE(o.jump.has_value()) << Shown(c);
        std::ostringstream out, err;
        const int status = RunRoute(o, out, err);
        EXPECT_EQ(status, c["status"].toInt(-1)) << Shown(c);
        EXPECT_EQ(out.str(), Utf8(c["stdout"])) << Shown(c);
        EXPECT_EQ(err.str(), Utf8(c["stderr"])) << Shown(c);
        found += status == 0;
        none += status == 1;
    }
    EXPECT_GE(found, 50);
    EXPECT_GE(none, 15);
}
