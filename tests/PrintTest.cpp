// SPDX-License-Identifier: MIT
// Printing and print preview, driven through the real application with the
// printer, the print dialog and the status box answered by hooks: pages go
// to images at a chosen resolution or to PDF files.

#include "GuiFixture.h"
#include "NeededTool.h"
#include "Subprocess.h"

#include "model/map/FactionTable.h"

#include "platform/framework/PointerTip.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintPreview.h"
#include "platform/print/PrintService.h"
#include "platform/surface/DC.h"
#include "platform/surface/Mapping.h"
#include "res/ResourceIds.h"
#include "tools/Renderer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPrinterInfo>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int PdfPages(const fs::path& p)
{
    std::string pdf = ReadFile(p);
    std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

struct Census {
    long black = 0, white = 0, grey = 0, coloured = 0;
};

Census Count(const CImage& image)
{
    Census c;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            COLORREF p = image.GetPixel(x, y);
            int r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
            if (r != g || g != b)
                ++c.coloured;
            else if (r == 0)
                ++c.black;
            else if (r == 255)
                ++c.white;
            else
                ++c.grey;
        }
    }
    return c;
}

class Print : public GuiTest {
protected:
    Print()
    {
        SetPrinterLookupHook([this](const std::string& name) -> std::optional<CPrinterTarget> {
            m_lookups.push_back(name);
            if (name.empty())
                return m_default;
            auto it = m_named.find(name);
            return it == m_named.end() ? std::nullopt : std::optional<CPrinterTarget>(it->second);
        });
        SetPrintDialogHook([this](CPrintDialogRequest& request) {
            m_requests.push_back(request);
            return m_answer ? m_answer(request) : IDCANCEL;
        });
        SetPrintToFileHook([this](std::string& path) {
            if (m_printFile.empty())
                return false;
            path = m_printFile;
            return true;
        });
        SetPrintStatusHook([this](const std::vector<std::string>& lines) {
            m_status.push_back(lines);
            m_frameEnabledWhilePrinting = Frame() && MainWindowEnabled();
            return !m_cancel;
        });
    }
    ~Print() override
    {
        Exit();
        SetPrinterLookupHook(nullptr);
        SetPrintDialogHook(nullptr);
        SetPrintToFileHook(nullptr);
        SetPrintStatusHook(nullptr);
    }

    bool MainWindowEnabled() const;

    // Pages at dpi dots per inch, collected with the mapping each one ended with.
    CPrinterTarget ImagePrinter(const std::string& name, int dpi)
    {
        CPrinterTarget t;
        t.kind = CPrinterTarget::Kind::ImagePage;
        t.name = name;
        t.port = "IMG:";
        t.dpi = dpi;
        t.onPage = [this](const CImage& page, const CMapping& mapping) {
            m_pages.push_back(page);
            m_mappings.push_back(mapping);
        };
        return t;
    }
    CPrinterTarget PdfPrinter(const fs::path& file, int dpi)
    {
        CPrinterTarget t = ImagePrinter("PDF", dpi);
        t.kind = CPrinterTarget::Kind::PdfFile;
        t.file = file.string();
        return t;
    }
    std::string MapFile() const
    {
        return m_dir.Write("map.dat", MapText({{"Hub", 0, 0, "QT"}, {"Morvath", 300, -200, "VR"}, {"Edge", -400, 250, "XX"}}));
    }
    void StartWithMap()
    {
        ASSERT_TRUE(Start({MapFile()}));
    }
    // The screen mapping the window draws with.
    CMapping ScreenMapping() const
    {
        CDC dc;
        View()->OnPrepareDC(&dc, nullptr);
        return dc.GetMapping();
    }

    std::optional<CPrinterTarget> m_default;
    std::map<std::string, CPrinterTarget> m_named;
    std::function<int(CPrintDialogRequest&)> m_answer;
    std::string m_printFile;
    bool m_cancel = false;
    bool m_frameEnabledWhilePrinting = true;
    std::vector<std::string> m_lookups;
    std::vector<CPrintDialogRequest> m_requests;
    std::vector<std::vector<std::string>> m_status;
    std::vector<CImage> m_pages;
    std::vector<CMapping> m_mappings;
};

bool Print::MainWindowEnabled() const
{
    return Frame()->Impl()->widget->isEnabled();
}

} // namespace

TEST_F(Print, OnePageInBlackOnWhiteWithoutTheLegendAndWithCirclesWhenOn)
{
    StartWithMap();
    m_default = ImagePrinter("Page", 200);
    View()->m_showLegend = TRUE;
    View()->OnZoomIn();  // planets 2.5 pixels across at 200 dots per inch
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_pages.size(), 1u) << "exactly one page per job";
    EXPECT_TRUE(m_requests.empty()) << "printing without the dialog asks nothing";
    const CImage& plain = m_pages[0];
    EXPECT_EQ(plain.Width(), 1600);  // 8.5 inches less two quarter-inch borders
    EXPECT_EQ(plain.Height(), 2100);
    Census c = Count(plain);
    EXPECT_EQ(c.coloured, 0) << "no faction colour and no legend on paper";
    EXPECT_GT(c.black, 0) << c.white << " " << c.grey << " " << c.black;
    EXPECT_GT(c.white, c.black * 20) << "a white page";
    // The legend would sit in the top-left corner in window pixels.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(plain.GetPixel(x, y), RGB(255, 255, 255)) << x << "," << y;

    View()->m_showCircles = TRUE;
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_pages.size(), 2u);
    Census circles = Count(m_pages[1]);
    EXPECT_EQ(circles.coloured, 0);
    EXPECT_GT(circles.black, c.black + 500) << "the circles come out black";
    // The 2000-unit circle crosses the axis 512 pixels right of the centre
    // (scale 1600 / 6250), which sits at (800, 1000).
    bool onCircle = false;
    for (int x = 1309; x <= 1314; ++x)
        onCircle = onCircle || m_pages[1].GetPixel(x, 1000) == RGB(0, 0, 0);
    EXPECT_TRUE(onCircle);
    EXPECT_EQ(View()->m_showLegend, TRUE) << "printing leaves the view's state alone";
}

TEST_F(Print, ThePageMappingAt600DotsPerInchAndOnePdfPage)
{
    StartWithMap();
    fs::path pdf = m_dir.Path() / "page.pdf";
    m_default = PdfPrinter(pdf, 600);
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_mappings.size(), 1u);
    const CMapping& m = m_mappings[0];
    EXPECT_EQ(m.GetMapMode(), MM_ISOTROPIC);
    EXPECT_EQ(m.GetViewportExt(), CSize(4800, 6000));
    EXPECT_EQ(m.GetViewportOrg(), CPoint(2400, 3000));
    EXPECT_EQ(m.GetWindowExt(), CSize(12500, 12500));
    EXPECT_EQ(m.GetWindowOrg(), CPoint(0, 0));
    EXPECT_EQ(m.LPtoDP(CPoint(6250, 0)), CPoint(4800, 3000)) << "12500 map units across eight inches";
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Print, AZoomedViewPrintsWhatTheWindowShows)
{
    StartWithMap();
    m_default = ImagePrinter("Page", 100);
    View()->OnZoomIn();
    View()->OnZoomIn();
    View()->m_center = CPoint(3000, 2000);  // Morvath
    CMapping screen = ScreenMapping();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_mappings.size(), 1u);
    const CMapping& page = m_mappings[0];
    EXPECT_EQ(page.GetWindowExt(), screen.GetWindowExt());
    EXPECT_EQ(page.GetWindowOrg(), screen.GetWindowOrg());
    // The window's centre and the printed area's centre are one map point,
    // and the corners of the window's part of the map lie on the page.
    CPoint windowCentre = screen.DPtoLP(screen.GetViewportOrg());
    EXPECT_EQ(page.DPtoLP(CPoint(400, 500)), windowCentre);
    // The zoom's whole extent, which the window shows, lies on the page.
    CSize half(View()->m_zoom.cx / 2, View()->m_zoom.cy / 2);
    for (CPoint corner : {CPoint(windowCentre.x - half.cx, windowCentre.y - half.cy),
                          CPoint(windowCentre.x + half.cx, windowCentre.y + half.cy)}) {
        CPoint onPage = page.LPtoDP(corner), onScreen = screen.LPtoDP(corner);
        EXPECT_TRUE(onPage.x >= 0 && onPage.x <= 800 && onPage.y >= 0 && onPage.y <= 1000) << onPage.x << "," << onPage.y;
        EXPECT_TRUE(onScreen.x >= 0 && onScreen.x <= 800 && onScreen.y >= 0 && onScreen.y <= 600);
    }
    // Morvath is drawn at the middle of the page, as in the middle of the window.
    long blackNearCentre = 0;
    for (int y = 480; y < 520; ++y)
        for (int x = 380; x < 420; ++x)
            blackNearCentre += m_pages[0].GetPixel(x, y) == RGB(0, 0, 0);
    EXPECT_GT(blackNearCentre, 0);
}

TEST_F(Print, ThePrintDialogsRangeStatusBoxAndCancel)
{
    StartWithMap();
    m_default = ImagePrinter("Office", 50);
    // A range without page 1 prints nothing and reports nothing.
    m_answer = [](CPrintDialogRequest& r) {
        r.allPages = false;
        r.fromPage = 2;
        r.toPage = 3;
        return IDOK;
    };
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT));
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].printer->name, "Office") << "the dialog opens on the default printer";
    EXPECT_EQ(m_requests[0].maxPage, 0xFFFFu);
    EXPECT_TRUE(m_pages.empty());
    EXPECT_TRUE(m_messages.empty());

    // All pages: one page, with the status box naming document and printer.
    m_answer = [](CPrintDialogRequest&) { return IDOK; };
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT));
    EXPECT_EQ(m_pages.size(), 1u);
    ASSERT_FALSE(m_status.empty());
    std::vector<std::string> expected = {"Printing", "map.dat", "on the", "Office", "on IMG:", "Page 1"};
    EXPECT_EQ(m_status.back(), expected);
    EXPECT_FALSE(m_frameEnabledWhilePrinting);
    EXPECT_TRUE(MainWindowEnabled());

    // Cancel in the dialog, then Cancel in the status box: nothing printed.
    m_answer = nullptr;
    Frame()->SendCommand(ID_FILE_PRINT);
    m_answer = [](CPrintDialogRequest&) { return IDOK; };
    m_cancel = true;
    Frame()->SendCommand(ID_FILE_PRINT);
    EXPECT_EQ(m_pages.size(), 1u);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(MainWindowEnabled());
}

TEST_F(Print, PrintToFileAndJobsThatCannotStart)
{
    StartWithMap();
    // No printer anywhere, and the dialog gives none either.
    m_answer = [](CPrintDialogRequest& r) {
        r.printer.reset();
        return IDOK;
    };
    Frame()->SendCommand(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(m_requests.size(), 1u) << "without a default printer the dialog is shown";
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Could not start print job.");
    EXPECT_TRUE(MainWindowEnabled());

    m_default = ImagePrinter("Office", 50);
    m_answer = [](CPrintDialogRequest& r) {
        r.printToFile = true;
        return IDOK;
    };
    // Cancelling the file prompt ends the job.
    size_t shown = m_status.size();
    Frame()->SendCommand(ID_FILE_PRINT);
    EXPECT_EQ(m_status.size(), shown);
    m_printFile = (m_dir.Path() / "Output.prn").string();
    Frame()->SendCommand(ID_FILE_PRINT);
    EXPECT_EQ(PdfPages(m_printFile), 1);
    ASSERT_FALSE(m_status.empty());
    EXPECT_EQ(m_status.back()[4], "to " + m_printFile);

    // A file that cannot be written: the job does not start.
    m_printFile = (m_dir.Path() / "no-such-folder" / "out.prn").string();
    Frame()->SendCommand(ID_FILE_PRINT);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1], "Could not start print job.");
    EXPECT_FALSE(fs::exists(m_printFile));
    EXPECT_TRUE(MainWindowEnabled());

    // The open map itself, named directly or through a link, is never
    // replaced by its page.
    std::string map = View()->GetDocument()->GetPathName();
    std::string before = ReadFile(map);
    fs::create_symlink(map, m_dir.Path() / "link.dat");
    for (fs::path target : {fs::path(map), m_dir.Path() / "link.dat"}) {
        m_printFile = target.string();
        Frame()->SendCommand(ID_FILE_PRINT);
        EXPECT_EQ(m_messages.back(), "Could not start print job.") << target;
    }
    EXPECT_EQ(ReadFile(map), before);
    EXPECT_TRUE(fs::is_symlink(m_dir.Path() / "link.dat"));

    // The dialog's printer serves the next print without the dialog.
    size_t asked = m_requests.size();
    Frame()->SendCommand(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(m_requests.size(), asked);
    EXPECT_EQ(m_status.back()[3], "Office");
}

namespace {

// What pdfinfo reads in a PDF: its page size ("612 x 792 pts (letter)")
// and its title.
struct PdfInfo {
    std::string pageSize, title;
};

PdfInfo InfoOf(const fs::path& pdf)
{
    fs::path log = pdf.string() + ".info";
    ProcessResult r = RunProcess({"/usr/bin/pdfinfo", pdf.string()}, {}, 60, log);
    EXPECT_TRUE(r.finished && r.status == 0) << pdf;
    PdfInfo info;
    std::istringstream lines(ReadWholeFile(log));
    for (std::string line; std::getline(lines, line);) {
        size_t colon = line.find(':');
        size_t value = line.find_first_not_of(' ', colon + 1);
        if (colon == std::string::npos || value == std::string::npos)
            continue;
        if (line.compare(0, colon, "Page size") == 0)
            info.pageSize = line.substr(value);
        else if (line.compare(0, colon, "Title") == 0)
            info.title = line.substr(value);
    }
    return info;
}

} // namespace

TEST_F(Print, PrintToFileAndTheRenderedPageHaveOnePaperAndTheDocumentsTitle)
{
    StartWithMap();
    m_default = ImagePrinter("Office", 0);
    m_default->kind = CPrinterTarget::Kind::Printer;  // a printer of the system, on its own paper
    m_answer = [](CPrintDialogRequest& r) {
        r.printToFile = true;
        return IDOK;
    };
    m_printFile = (m_dir.Path() / "window.prn").string();
    Frame()->SendCommand(ID_FILE_PRINT);
    ASSERT_TRUE(m_messages.empty()) << m_messages.front();
    fs::path rendered = m_dir.Path() / "rendered.pdf";
    std::ostringstream err;
    ASSERT_EQ(RenderMain({"--print", "-o", rendered.string(), MapFile()}, err), 0) << err.str();

    PdfInfo window = InfoOf(m_printFile);
    PdfInfo render = InfoOf(rendered);
    EXPECT_EQ(window.title, "map.dat") << "the document's title";
    EXPECT_EQ(render.title, window.title);
    EXPECT_EQ(render.pageSize, window.pageSize);
    // The platform's paper: with no printer, the locale's.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
        EXPECT_NE(window.pageSize.find(us ? "letter" : "A4"), std::string::npos) << window.pageSize;
    }
}

// Run twice: from the suite, it starts this test again in a private mount
// namespace where a folder is a full tmpfs; there, it prints to that folder.
TEST_F(Print, PrintToFileOnAFullDiskShowsTheFailureAndLeavesNoFile)
{
    const char* full = std::getenv("KESTRIN_FULL_DISK");
    if (full == nullptr) {
        fs::path dir = m_dir.Path() / "full", log = m_dir.Path() / "log";
        std::string self = fs::read_symlink("/proc/self/exe").string();
        std::string script = "printf old > \"$FULL/kept.pdf\"\nfill\nexec \"$SELF\" "
                             "--gtest_filter=Print.PrintToFileOnAFullDiskShowsTheFailureAndLeavesNoFile\n";
        ProcessResult r = RunOnFullDisk(dir, script, {"SELF=" + self, "KESTRIN_FULL_DISK=" + dir.string()}, log);
        if (r.status == kFullDiskRefused)
            GTEST_SKIP() << "no private mount namespace with a tmpfs here";
        EXPECT_TRUE(r.finished && r.status == 0) << ReadWholeFile(log);
        return;
    }
    StartWithMap();
    m_default = ImagePrinter("Office", 50);
    m_answer = [](CPrintDialogRequest& r) {
        r.printToFile = true;
        return IDOK;
    };
    for (const char* name : {"new.pdf", "kept.pdf"}) {
        m_printFile = (fs::path(full) / name).string();
        m_messages.clear();
        Frame()->SendCommand(ID_FILE_PRINT);
        ASSERT_EQ(m_messages.size(), 1u) << name;
        EXPECT_EQ(m_messages[0], "An unexpected file error occurred while writing " + m_printFile +
                                     ".\nNo space left on device.");
        EXPECT_TRUE(MainWindowEnabled());
    }
    EXPECT_FALSE(fs::exists(fs::path(full) / "new.pdf"));
    EXPECT_EQ(ReadFile(fs::path(full) / "kept.pdf"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(full), fs::directory_iterator()), 2) << "fill and kept.pdf only";
}

TEST_F(Print, PrintSetupsChoiceServesLaterPrintsAndPreviews)
{
    StartWithMap();
    m_default = ImagePrinter("Office", 50);
    CPrinterTarget other = ImagePrinter("Plotter", 40);
    m_answer = [&other](CPrintDialogRequest& r) {
        EXPECT_TRUE(r.setup);
        r.printer = other;
        return IDOK;
    };
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_SETUP));
    m_answer = nullptr;
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_pages.size(), 1u);
    EXPECT_EQ(m_pages[0].Width(), 320) << "printed at the plotter's 40 dots per inch";
    CKestrinView* view = View();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    CPreviewView* preview = view->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Info().m_printer->name, "Plotter");
}

TEST_F(Print, ThePreviewShowsThePrintedPageAndPutsTheViewBack)
{
    StartWithMap();
    m_default = ImagePrinter("Page", 100);
    View()->m_showLegend = TRUE;
    View()->OnZoomIn();
    CKestrinView* view = View();
    CSize zoom = view->m_zoom;
    std::vector<CAccelDef> keys = Frame()->Accelerators();

    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    CPreviewView* preview = view->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(Frame()->GetActiveView(), preview);
    EXPECT_EQ(preview->GetPageCount(), 1) << "one page unless the setting says two";
    EXPECT_EQ(preview->PageIndicator(), "Page 1");
    EXPECT_FALSE(Frame()->IsCommandEnabled(CPreviewView::kNext)) << "a single page has no next page";
    EXPECT_FALSE(Frame()->IsCommandEnabled(CPreviewView::kPrev));
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_ZOOM_IN)) << "the map's commands wait for the view";
    ASSERT_EQ(Frame()->Accelerators().size(), 3u);

    // The preview's page is the printer's page.
    Frame()->SendCommand(ID_FILE_PRINT_DIRECT);  // disabled while previewing
    EXPECT_TRUE(m_pages.empty());
    CImage shown = preview->RenderPage(1, 100);
    EXPECT_TRUE(preview->RenderPage(2, 100).IsNull());

    Frame()->SendCommand(CPreviewView::kZoomIn);
    EXPECT_EQ(preview->GetZoom(), 1);
    EXPECT_FALSE(Frame()->IsCommandEnabled(CPreviewView::kNumPage));
    Frame()->SendCommand(CPreviewView::kZoomOut);

    // Esc closes the preview; the view comes back as it was.
    QApplication::processEvents();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : MainWindowOf(Frame())->centralWidget(), &esc);
    EXPECT_EQ(view->GetPreview(), nullptr);
    EXPECT_EQ(Frame()->GetActiveView(), view);
    EXPECT_EQ(view->m_zoom, zoom) << "Esc did not reach Zoom Extents";
    EXPECT_EQ(Frame()->Accelerators().size(), keys.size());
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_ZOOM_IN));
    QApplication::processEvents();

    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(m_pages.size(), 1u);
    EXPECT_EQ(shown.CountDifferences(m_pages[0]), 0);
    EXPECT_EQ(Count(shown).coloured, 0) << "no legend in the preview";

    // The preview's Print closes it and prints through the print dialog.
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    m_answer = [](CPrintDialogRequest&) { return IDOK; };
    ASSERT_TRUE(Frame()->SendCommand(CPreviewView::kPrint));
    EXPECT_EQ(view->GetPreview(), nullptr);
    EXPECT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_pages.size(), 2u);
}

TEST_F(Print, NoPlanetTipWhilePrintPreviewStandsInTheView)
{
    StartWithMap();
    m_default = ImagePrinter("Page", 100);
    CKestrinView* view = View();  // while the preview stands, View() is the preview
    CPoint hub = ScreenMapping().LPtoDP(CPoint(0, 0));
    view->OnMouseMove(0, hub);
    ASSERT_NE(GetPointerTip(*view), "") << "the tip names Hub outside the preview";
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    ASSERT_NE(view->GetPreview(), nullptr);
    EXPECT_EQ(GetPointerTip(*view), "") << "opening the preview is a command";
    view->OnMouseMove(0, hub);
    EXPECT_EQ(GetPointerTip(*view), "");
    Frame()->SendCommand(CPreviewView::kClose);
    ASSERT_EQ(view->GetPreview(), nullptr);
    view->OnMouseMove(0, hub);
    EXPECT_NE(GetPointerTip(*view), "") << "back again after the preview";
}

TEST_F(Print, APreviewWithoutPrinterFailsAndLeavesTheView)
{
    StartWithMap();
    CKestrinView* view = View();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));  // the dialog is cancelled
    EXPECT_EQ(m_requests.size(), 1u);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Command failed.");
    EXPECT_EQ(view->GetPreview(), nullptr);
    EXPECT_EQ(Frame()->GetActiveView(), view);
}

TEST_F(Print, PreviewPagesIsReadAndTheOneTwoButtonWritesItBack)
{
    fs::path ini = m_dir.Path() / "config" / "Local AppWizard-Generated Applications" / "Kestrin.ini";
    fs::create_directories(ini.parent_path());
    std::ofstream(ini) << "[Settings]\nPreviewPages=2\n";
    StartWithMap();
    m_default = ImagePrinter("Page", 50);
    CKestrinView* view = View();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    CPreviewView* preview = view->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 2);
    EXPECT_EQ(preview->PageIndicator(), "Page 1") << "the second page has nothing to show";
    ASSERT_TRUE(Frame()->SendCommand(CPreviewView::kNumPage));
    EXPECT_EQ(preview->GetPageCount(), 1);
    EXPECT_EQ(m_app->GetProfileInt("Settings", "PreviewPages", 0), 1);
    ASSERT_TRUE(Frame()->SendCommand(CPreviewView::kClose));
    Exit();
    EXPECT_NE(ReadFile(ini).find("PreviewPages=1"), std::string::npos) << ReadFile(ini);
}

TEST_F(Print, TheCommandLinePrintsWithoutTheDialogAndEnds)
{
    m_default = ImagePrinter("Page", 50);
    std::string missing = (m_dir.Path() / "missing.dat").string();
    EXPECT_FALSE(Start({"-p", missing}));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].find("Cannot find this file."), std::string::npos);
    EXPECT_TRUE(m_pages.empty());
    Exit();

    EXPECT_FALSE(Start({"/p", MapFile()}));
    EXPECT_EQ(m_pages.size(), 1u);
    EXPECT_TRUE(m_requests.empty());
    EXPECT_FALSE(Frame()->IsWindowVisible());
    Exit();

    m_named["Plotter"] = ImagePrinter("Plotter", 40);
    EXPECT_FALSE(Start({"-pt", MapFile(), "Plotter", "driver", "LPT2:"}));
    ASSERT_EQ(m_pages.size(), 2u);
    EXPECT_EQ(m_pages[1].Width(), 320);
    EXPECT_EQ(m_status.back()[4], "on LPT2:");
    Exit();

    EXPECT_FALSE(Start({"-pt", MapFile(), "Nowhere", "driver", "LPT1:"}));
    EXPECT_EQ(m_pages.size(), 2u);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1], "Could not start print job.");
}

TEST_F(Print, PrintSwitchesNeedAFileAndAPrintedFileIsRemembered)
{
    m_default = ImagePrinter("Page", 50);
    const std::string map = MapFile();
    // "/P" is no print switch (they are lower case): the file is opened.
    ASSERT_TRUE(Start({"/P", map}));
    EXPECT_EQ(Frame()->GetWindowText(), "map.dat - Kestrin");
    EXPECT_TRUE(Frame()->IsWindowVisible());
    Exit();
    // Without a file: exit 1 with a message, and no page, not even an empty one.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"-p"}, {"-pt"}, {"/p", "-", "/"}}) {
        m_app = std::make_unique<CKestrinApp>();
        EXPECT_EQ(m_app->Run(args), 1) << args[0];
        m_app.reset();
    }
    EXPECT_TRUE(m_pages.empty());
    ASSERT_EQ(m_messages.size(), 3u);
    EXPECT_EQ(m_messages[0], "No file to print was named.\nUse -p FILE, or -pt FILE PRINTER DRIVER PORT.");
    // A file printed from the command line enters the recent list.
    EXPECT_FALSE(Start({"-p", map}));
    EXPECT_EQ(m_pages.size(), 1u);
    Exit();
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    EXPECT_EQ(m_app->GetRecentFileList()[0], map);
}

TEST(RenderPrint, APdfPageGoesThroughThePrintJob)
{
    TempDir dir;
    std::string map = dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}}));
    fs::path pdf = dir.Path() / "page.pdf";
    std::ostringstream err;
    EXPECT_EQ(RenderMain({"--print", "--circles", "--dpi", "300", "-o", pdf.string(), map}, err), 0) << err.str();
    EXPECT_EQ(PdfPages(pdf), 1);
    fs::path nowhere = dir.Path() / "missing-folder" / "page.pdf";
    EXPECT_EQ(RenderMain({"--print", "-o", nowhere.string(), map}, err), 2);
    EXPECT_FALSE(fs::exists(nowhere));
}

namespace {

// A grid of planets 100 map units apart across and 80 down, each in the
// colour of its place in the faction table: no name (four characters, 11
// units high, hanging below and right of its planet) reaches a neighbour,
// even at the full extent, where a planet's dot and its name take a pixel
// row each and the rows lie under 4 pixels apart.
struct SpacedPlanets {
    struct Planet {
        std::string name;
        int x, y;  // map units
        COLORREF color;
    };
    std::vector<Planet> planets;
    std::string text;

    SpacedPlanets()
    {
        std::vector<std::tuple<std::string, int, int, std::string>> rows;
        int n = 0;
        for (int fy = -24; fy <= 24; fy += 8) {
            for (int fx = -60; fx <= 60; fx += 10, ++n) {
                const FactionCode& code = kFactionCodes[std::size_t(n) % kFactionCodes.size()];
                std::string name = "P" + std::to_string(n);
                rows.emplace_back(name, fx, fy, code.code);
                planets.push_back({name, fx * 10, fy * -10, kPenColors[code.pen]});
            }
        }
        text = MapText(rows);
    }
};

// Planets whose own pixels hold no pixel of their colour: the pixels of
// the planet's square on the device, or the row just above an empty one.
std::vector<std::string> HiddenPlanets(const SpacedPlanets& map, const CImage& image, const CMapping& mapping,
                                       bool printing)
{
    std::vector<std::string> hidden;
    for (const SpacedPlanets::Planet& p : map.planets) {
        CPoint a = mapping.LPtoDP(CPoint(p.x - 5, p.y - 5)), b = mapping.LPtoDP(CPoint(p.x + 5, p.y + 5));
        int left = a.x, right = std::max(b.x, a.x + 1), top = std::min(a.y, b.y - 1), bottom = b.y;
        if (left < 0 || top < 0 || right > image.Width() || bottom > image.Height())
            continue;
        bool shown = false;
        for (int y = top; y < bottom && !shown; ++y)
            for (int x = left; x < right && !shown; ++x)
                shown = image.GetPixel(x, y) == (printing ? RGB(0, 0, 0) : p.color);
        if (!shown)
            hidden.push_back(p.name);
    }
    return hidden;
}

} // namespace

TEST_F(Print, EveryPlanetShowsUnderItsOwnNameOnScreenAndOnPaper)
{
    SpacedPlanets map;
    ASSERT_TRUE(Start({m_dir.Write("spaced.dat", map.text)}));
    m_default = ImagePrinter("Page", 72);
    // Planets from a dot (under 2 pixels) to circles of 6 pixels, on
    // screen and on the page at 72 dots per inch.
    for (int zoom : {12500, 3125, 1562, 781}) {
        View()->m_zoom = CSize(zoom, zoom);
        View()->Invalidate(TRUE);
        CImage screen = Snapshot();
        EXPECT_EQ(HiddenPlanets(map, screen, ScreenMapping(), false), std::vector<std::string>()) << "zoom " << zoom;
        ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
        ASSERT_FALSE(m_pages.empty());
        EXPECT_EQ(HiddenPlanets(map, m_pages.back(), m_mappings.back(), true), std::vector<std::string>())
            << "zoom " << zoom << " on paper";
    }
}

TEST_F(Print, APdfPageClipsCirclesLikeLinesAtThePrintableArea)
{
    NEED_TOOL("pdftoppm", "(poppler-utils) to look at the PDF page");
    StartWithMap();
    fs::path pdf = m_dir.Path() / "page.pdf";
    m_default = PdfPrinter(pdf, 100);
    m_default->paper = "Letter";  // named, as a file would otherwise get the platform's paper
    // The circles reach well past the eight inches across, the axes too.
    View()->m_zoom = CSize(3125, 3125);
    View()->m_showCircles = TRUE;
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_DIRECT));
    std::string command = "pdftoppm -r 40 -png -singlefile '" + pdf.string() + "' '" + (m_dir.Path() / "page").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    CImage page;
    ASSERT_TRUE(page.Load((m_dir.Path() / "page.png").string()));
    ASSERT_EQ(page.Width(), 340);  // 8.5 inches; the border is a quarter inch, 10 pixels
    auto dark = [&page](int x0, int y0, int x1, int y1) {
        long n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += GetRValue(page.GetPixel(x, y)) < 128;
        return n;
    };
    const int w = page.Width(), h = page.Height();
    EXPECT_EQ(dark(0, 0, w, 9) + dark(0, h - 9, w, h) + dark(0, 0, 9, h) + dark(w - 9, 0, w, h), 0)
        << "nothing in the border";
    EXPECT_GT(dark(11, 11, 40, h - 11), 10) << "the circles reach the left edge of the printable area";
}

namespace {

// Types a key into the focused widget as the keyboard would, shortcuts
// first, and lets a button's animated click finish.
void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QTest::qWait(150);
}

std::vector<std::string> PreviewButtonTexts(QMainWindow* main)
{
    std::vector<std::string> texts;
    for (QToolButton* b : main->centralWidget()->findChildren<QToolButton*>())
        texts.push_back(b->text().toStdString());
    return texts;
}

} // namespace

TEST_F(Print, ThePreviewBarsTextsAndTheirKeys)
{
    StartWithMap();
    m_default = ImagePrinter("Page", 50);
    QMainWindow* main = MainWindowOf(Frame());
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main, 2000));
    CKestrinView* view = View();
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_PRINT_PREVIEW));
    CPreviewView* preview = view->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(PreviewButtonTexts(main), (std::vector<std::string>{"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                                                                  "Zoom &In", "Zoom &Out", "&Close"}));
    QTest::qWait(100);  // the bar's buttons are laid out and shown
    Type(Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(preview->GetZoom(), 1) << "Alt+I zooms in";
    Type(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(preview->GetZoom(), 0) << "Alt+O zooms out";
    Type(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(preview->GetPageCount(), 2) << "Alt+T shows two pages";
    EXPECT_EQ(PreviewButtonTexts(main)[3], "&One Page");
    Type(Qt::Key_O, Qt::AltModifier);  // Zoom Out is disabled: the other O
    EXPECT_EQ(preview->GetPageCount(), 1);
    Type(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(view->GetPreview(), nullptr) << "Alt+C closes";
    EXPECT_EQ(Frame()->GetActiveView(), view);

    // A job of three pages, for the page keys.
    auto info = std::make_unique<CPrintInfo>();
    info->SetMaxPage(3);
    info->m_bPreview = TRUE;
    info->m_printer = m_default;
    auto pages = std::make_shared<CPreviewView>(view, std::move(info));
    ASSERT_TRUE(pages->Open());
    QTest::qWait(100);
    Type(Qt::Key_PageDown);
    EXPECT_EQ(pages->GetCurrentPage(), 2u);
    Type(Qt::Key_PageDown);
    Type(Qt::Key_PageUp);
    EXPECT_EQ(pages->GetCurrentPage(), 2u);
    Type(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(pages->GetCurrentPage(), 3u) << "Alt+N";
    Type(Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(pages->GetCurrentPage(), 2u) << "Alt+V";
    Type(Qt::Key_Escape);
    EXPECT_EQ(Frame()->GetActiveView(), view) << "Esc closes";
    Type(Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(m_pages.empty()) << "the bar's keys went with it";
}
