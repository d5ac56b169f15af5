// SPDX-License-Identifier: MIT
// The web page that kestrin-render writes (-o NAME.html): the rules the
// page carries in JavaScript are pinned to this code by shared tables of
// cases (tests/web-cases/mapping.json: the screen mapping; shapes.json:
// the pixels of outlines and lines), which the page's node tests read too;
// and the writer: options, exit statuses, and what the file holds.

#include "Subprocess.h"
#include "TestFiles.h"

#include "tools/Renderer.h"
#include "tools/WebPage.h"
#include "view/MapViewport.h"

#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/Pen.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

QString TablePath(const char* name)
{
    return QString(KESTRIN_WEB_CASES_DIR) + "/" + name;
}

QJsonObject ReadTable(const char* name)
{
    QFile file(TablePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot read ") + name);
    return QJsonDocument::fromJson(file.readAll()).object();
}

qint64 At(const QJsonArray& a, int i)
{
    return static_cast<qint64>(a[i].toDouble());
}

// The pixels a shape case sets on a black target, as [x, y, x, y, ...].
QJsonArray DrawCase(const QJsonObject& c, int width, int height)
{
    CImage image(width, height, RGB(0, 0, 0));
    {
        CDC dc;
        dc.AttachImage(image);
        CPen pen;
        pen.CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        dc.SelectObject(&pen);
        dc.SelectStockObject(NULL_BRUSH);
        if (c.contains("ellipse")) {
            QJsonArray e = c["ellipse"].toArray();
            dc.Ellipse(int(At(e, 0)), int(At(e, 1)), int(At(e, 2)), int(At(e, 3)));
        } else {
            QJsonArray l = c["line"].toArray();
            dc.MoveTo(int(At(l, 0)), int(At(l, 1)));
            dc.LineTo(int(At(l, 2)), int(At(l, 3)));
        }
        dc.Detach();
    }
    QJsonArray pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (image.GetPixel(x, y) != RGB(0, 0, 0))
                pixels << x << y;
    return pixels;
}

} // namespace

TEST(WebCases, TheMappingTableIsTheViewportsScreenMapping)
{
    const QJsonArray cases = ReadTable("mapping.json")["cases"].toArray();
    ASSERT_GT(cases.size(), 100);
    for (const QJsonValue& value : cases) {
        const QJsonObject c = value.toObject();
        const QJsonArray size = c["size"].toArray(), zoom = c["zoom"].toArray(), center = c["center"].toArray();
        const CMapViewport viewport(CSize(int(At(zoom, 0)), int(At(zoom, 1))),
                                    CPoint(int(At(center, 0)), int(At(center, 1))),
                                    CSize(int(At(size, 0)), int(At(size, 1))));
        const CMapping& m = viewport.ScreenMapping();
        const std::string shown = QJsonDocument(c).toJson(QJsonDocument::Compact).left(80).toStdString();
        for (const QJsonValue& row : c["toDevice"].toArray()) {
            const QJsonArray r = row.toArray();
            EXPECT_EQ(m.ToDeviceX(At(r, 0)), At(r, 2)) << shown;
            EXPECT_EQ(m.ToDeviceY(At(r, 1)), At(r, 3)) << shown;
        }
        for (const QJsonValue& row : c["toMap"].toArray()) {
            const QJsonArray r = row.toArray();
            const CPoint p = viewport.DeviceToMap(CPoint(int(At(r, 0)), int(At(r, 1))));
            EXPECT_EQ(p.x, At(r, 2)) << shown;
            EXPECT_EQ(p.y, At(r, 3)) << shown;
        }
    }
}

// With KESTRIN_WRITE_WEB_CASES set, the table's pixels are written from the
// surface instead (after a deliberate change of the drawing rules).
TEST(WebCases, TheShapesTableIsTheSurfacesPixels)
{
    QJsonObject table = ReadTable("shapes.json");
    const int width = table["width"].toInt(), height = table["height"].toInt();
    QJsonArray cases = table["cases"].toArray();
    ASSERT_GT(cases.size(), 80);
    const bool write = std::getenv("KESTRIN_WRITE_WEB_CASES") != nullptr;
    for (int i = 0; i < cases.size(); ++i) {
        QJsonObject c = cases[i].toObject();
        const QJsonArray pixels = DrawCase(c, width, height);
        if (write) {
            c["pixels"] = pixels;
            cases[i] = c;
            continue;
        }
        EXPECT_EQ(pixels, c["pixels"].toArray()) << QJsonDocument(c).toJson(QJsonDocument::Compact).left(60).toStdString();
    }
    if (write) {
        table["cases"] = cases;
        QFile file(TablePath("shapes.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(table).toJson(QJsonDocument::Compact) + "\n");
    }
}

namespace {

struct RenderResult {
    int status;
    std::string out, err;
};

RenderResult RenderRun(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int status = RenderMain(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(WebPageWriter, SizePrintAndDpiAreUsageErrors)
{
    TempDir dir;
    const std::string map = dir.Write("m.dat", "Hub 0 0 QT\n");
    const std::string page = (dir.Path() / "m.html").string();
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--size", "100x100"},
                                                  {"--print"}, {"--dpi", "50"}, {"--print", "--dpi", "50"}}) {
        std::vector<std::string> args = extra;
        args.insert(args.end(), {"-o", page, map});
        RenderResult r = RenderRun(args);
        EXPECT_EQ(r.status, 2) << extra[0];
        EXPECT_EQ(r.err, "kestrin-render: .html fills the browser's window: --size, --print and --dpi do not go with it\n");
        EXPECT_FALSE(fs::exists(page));
    }
    EXPECT_EQ(RenderRun({"-o", page, map}).status, 0);
    EXPECT_EQ(RenderRun({"--size", "100x100", "-o", (dir.Path() / "m.png").string(), map}).status, 0)
        << "pictures keep their size";
}

TEST(WebPageWriter, ThePageHoldsItsViewPolicyAndTitle)
{
    TempDir dir;
    const std::string map = dir.Write("sector <7>.dat", "Hub 0 0 QT\nMorvath 30 -20 VH\n");
    const std::string page = (dir.Path() / "m.html").string();
    RenderResult r = RenderRun({"--legend", "--truce", "--zoom", "3125x1562", "--center", "400,-900", "--measure",
                       "0,0,620,0", "-o", page, map});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = ReadWholeFile(page);
    EXPECT_NE(text.find("<title>sector &lt;7&gt;.dat - Kestrin</title>"), std::string::npos);
    EXPECT_NE(text.find("default-src 'none'"), std::string::npos);
    EXPECT_NE(text.find("connect-src 'none'"), std::string::npos);
    EXPECT_NE(text.find("{\"zoom\":[3125,1562],\"center\":[400,-900],\"legend\":true,\"circles\":false,"
                        "\"truce\":true,\"truceY\":200,\"measures\":[[0,0,620,0,31]]}"),
              std::string::npos);
    EXPECT_EQ(text.find("@KESTRIN_"), std::string::npos) << "every marker filled";
    EXPECT_EQ(text.find("import "), std::string::npos) << "one inline script";
}

TEST(WebPageWriter, NamesInTheConfigurationCannotCloseItsScript)
{
    TempDir dir;
    const std::string map = dir.Write("m.dat", "</script><b>x 0 0 QT\nTo 3 4 QT\n");
    const std::string page = (dir.Path() / "m.html").string();
    RenderResult r = RenderRun({"--route", "</script><b>x", "To", "--jump", "10", "-o", page, map});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = ReadWholeFile(page);
    EXPECT_NE(text.find("\"from\":\"\\u003c/script>\\u003cb>x\""), std::string::npos);
    EXPECT_EQ(text.find("</script><b>"), std::string::npos);
}

TEST(WebPageWriter, TextsAreEscapedForTheirPlace)
{
    EXPECT_EQ(HtmlText("<b>&\"'x"), "&lt;b&gt;&amp;&quot;&#39;x");
    EXPECT_EQ(HtmlText("a\x01z\x7F"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(HtmlText("\xFF!"), "\xC3\xBF!") << "bytes that are not UTF-8 read as Windows-1252";
    EXPECT_EQ(HtmlText("\xC3\xA9"), "\xC3\xA9");
}

TEST(WebCases, TheText85TableIsTheWritersEncoding)
{
    const QJsonObject table = ReadTable("text85.json");
    const QJsonArray cases = table["cases"].toArray();
    ASSERT_GE(cases.size(), 8);
    for (const QJsonValue& value : cases) {
        const QJsonArray c = value.toArray();
        const QByteArray bytes = QByteArray::fromHex(c[0].toString().toLatin1());
        EXPECT_EQ(Text85(std::string(bytes.constData(), std::size_t(bytes.size()))), c[1].toString().toStdString())
            << c[0].toString().toStdString();
    }
}

TEST(WebPageWriter, AFileNamedLikeAMarkerIsOnlyATitle)
{
    TempDir dir;
    const std::string map = dir.Write("@KESTRIN_CONFIG@ @KESTRIN_DATA@.dat", "Hub 0 0 QT\n");
    const std::string page = (dir.Path() / "m.html").string();
    ASSERT_EQ(RenderRun({"-o", page, map}).status, 0);
    const std::string text = ReadWholeFile(page);
    EXPECT_NE(text.find("<title>@KESTRIN_CONFIG@ @KESTRIN_DATA@.dat - Kestrin</title>"), std::string::npos);
    EXPECT_NE(text.find("<script type=\"application/json\" id=\"kestrin-config\">{\"zoom\":[12500,12500]"),
              std::string::npos);
    EXPECT_EQ(text.find("id=\"kestrin-data\">@"), std::string::npos);
}
