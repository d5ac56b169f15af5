// SPDX-License-Identifier: MIT
// A long seeded random session on the real window: commands by id, their
// keys and toolbar buttons, drags with both buttons anywhere, scroll
// actions, resizes down to one pixel, restarts, and opens of good, broken,
// huge and hostile files by every way a file is opened. After every step
// the view, the document and the commands' states are checked.
// KESTRIN_SOAK_STEPS and KESTRIN_SOAK_SEED choose the length and the seed;
// a failure names the seed, the step and the steps before it.

#include "FileAccess.h"
#include "GuiFixture.h"

#include "platform/framework/RecentFileList.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintPreview.h"
#include "platform/print/PrintService.h"
#include "res/ResourceIds.h"

#include <QAbstractSlider>
#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolBar>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr UINT kMapCommands[] = {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, ID_CENTER_ON, ID_FILE_PRINT,
                                 ID_FILE_PRINT_PREVIEW};
constexpr UINT kToggles[] = {ID_VIEW_TRUCE_LINE, ID_VIEW_CIRCLES, ID_VIEW_LEGEND};
constexpr UINT kAlwaysEnabled[] = {ID_EDIT_UNDO, ID_FILE_OPEN, ID_APP_ABOUT, ID_VIEW_README, ID_VIEW_TOOLBAR,
                                   ID_APP_EXIT};
// Every command of the menus, the toolbar and the keys, the preview's own,
// New, which start-up uses, and ids no one handles. The print hooks below
// answer every print dialog and send the pages to small images.
constexpr UINT kSentCommands[] = {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW,
                                  ID_FILE_PRINT_SETUP, CPreviewView::kNext, CPreviewView::kPrint,
                                  ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 1,
                                  ID_FILE_MRU_FILE1 + 2, ID_FILE_MRU_FILE1 + 3, ID_FILE_MRU_FILE1 + 9,
                                  ID_EDIT_UNDO, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, ID_CENTER_ON,
                                  ID_VIEW_TRUCE_LINE, ID_VIEW_CIRCLES, ID_VIEW_LEGEND, ID_VIEW_TOOLBAR,
                                  ID_VIEW_README, ID_APP_ABOUT, 12345};

struct KeyStroke {
    int key;
    int modifiers;
};
// The accelerators, and keys that look like them and are not.
const KeyStroke kKeys[] = {
    {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_O, Qt::ControlModifier},     {Qt::Key_Z, Qt::ControlModifier},
    {Qt::Key_Plus, Qt::KeypadModifier}, {Qt::Key_Minus, Qt::KeypadModifier}, {Qt::Key_Escape, 0},
    {Qt::Key_Plus, 0},                  {Qt::Key_Minus, 0},                   {Qt::Key_C, 0},
    {Qt::Key_PageDown, 0},              {Qt::Key_PageUp, 0},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_P, Qt::ControlModifier}};

int EnvInt(const char* name, int def)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return def;
    return static_cast<int>(std::strtol(text, nullptr, 10));
}

std::string Planets(int count, const std::string& prefix)
{
    std::ostringstream out;
    for (int i = 0; i < count; ++i)
        out << prefix << i << ' ' << (i % 181) * 7 - 600 << ' ' << (i / 181) * 7 - 600 << " QT\n";
    return out.str();
}

class Soak : public GuiTest {
protected:
    void SetUp() override
    {
        m_seed = static_cast<unsigned>(EnvInt("KESTRIN_SOAK_SEED", 20261207));
        m_steps = EnvInt("KESTRIN_SOAK_STEPS", 200);
        m_rng.seed(m_seed);
        std::fprintf(stderr, "soak: seed %u, %d steps\n", m_seed, m_steps);
        MakeFiles();
        InstallPrintHooks();
        m_widgetsBefore = QApplication::allWidgets().size();
        ASSERT_TRUE(Start({m_paths[0]}));
    }

    void TearDown() override
    {
        Exit();
        SetPrinterLookupHook(nullptr);
        SetPrintDialogHook(nullptr);
        SetPrintToFileHook(nullptr);
        SetPrintStatusHook(nullptr);
    }

    // No printer now and then; otherwise a printer of small image pages.
    // The dialogs and the status box answer at random.
    void InstallPrintHooks()
    {
        SetPrinterLookupHook([this](const std::string&) -> std::optional<CPrinterTarget> {
            if (Chance(20))
                return std::nullopt;
            CPrinterTarget t;
            t.kind = CPrinterTarget::Kind::ImagePage;
            t.name = "Soak";
            t.dpi = 12;
            t.onPage = [this](const CImage&, const CMapping&) { ++m_seen.pages; };
            return t;
        });
        SetPrintDialogHook([this](CPrintDialogRequest&) { return Chance(60) ? IDOK : IDCANCEL; });
        SetPrintToFileHook([](std::string&) { return false; });
        SetPrintStatusHook([this](const std::vector<std::string>&) { return Chance(90); });
    }

    // A preview the step opened: a few of its commands, then it closes and
    // the map view must be back as the frame's view.
    void WorkThePreview(CKestrinView* view)
    {
        static const UINT commands[] = {CPreviewView::kNumPage, CPreviewView::kNext, CPreviewView::kPrev,
                                        CPreviewView::kZoomIn, CPreviewView::kZoomOut, ID_ZOOM_IN,
                                        ID_FILE_PRINT_DIRECT};
        ++m_seen.previews;
        for (int n = Pick(4); n > 0 && view->GetPreview() != nullptr; --n) {
            UINT id = commands[Pick(7)];
            Note("preview command " + std::to_string(id));
            Frame()->SendCommand(id);
        }
        UINT close = Chance(70) ? CPreviewView::kClose : CPreviewView::kPrint;
        Note("preview ends with " + std::to_string(close));
        if (view->GetPreview() != nullptr)
            Frame()->SendCommand(close);
        ASSERT_EQ(view->GetPreview(), nullptr);
        ASSERT_EQ(Frame()->GetActiveView(), view);
    }

    void MakeFiles()
    {
        m_files = m_dir.Path() / "files";
        fs::create_directory(m_files);
        auto add = [this](const std::string& name, const std::string& text) {
            m_paths.push_back(m_dir.Write("files/" + name, text));
        };
        add("frontier.dat", MapText({{"Morvath", 0, 10, "VH"}, {"Hub", 30, -20, "QT"}, {"Rim", -400, 250, "E"},
                                     {"Far Reach", 200000000, -200000000, "XX"}, {"Hub", 5, 5, "WL"}}));
        add("single.dat", MapText({{"Lone", 1, 1, "LC"}}));
        add("partial.dat", "Veyra 1 2 VH\nOssic 3 4 QT\nTalun five 6 E\n");
        add("blank.dat", "Veyra 1 2 VH\n\nOssic 3 4 QT\n");
        std::string garbage(4096, '\0');
        for (char& c : garbage)
            c = static_cast<char>(m_rng() & 0xff);
        add("garbage.dat", garbage);
        add("empty.dat", "");
        add("comments.dat", "; no planets here\n;\n");
        add("large.dat", Planets(32767, "P"));
        add("over.dat", Planets(32770, "Q"));
        fs::create_directory(m_files / "folder.dat");
        m_paths.push_back((m_files / "folder.dat").string());
        ASSERT_EQ(::mkfifo((m_files / "pipe.dat").c_str(), 0644), 0);
        m_paths.push_back((m_files / "pipe.dat").string());
        m_paths.push_back((m_files / "missing.dat").string());
        std::string locked = m_dir.Write("files/locked.dat", "Hidden 1 2 VH\n");
        ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
        m_paths.push_back(locked);
        fs::create_symlink(m_files / "frontier.dat", m_files / "link.dat");
        m_paths.push_back((m_files / "link.dat").string());
        m_volatile = (m_files / "volatile.dat").string();
        m_paths.push_back(m_volatile);
        MorphVolatile(0);
    }

    int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
    int Between(int lo, int hi) { return lo + static_cast<int>(m_rng() % (static_cast<unsigned>(hi - lo) + 1)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    void Note(const std::string& what)
    {
        m_log.push_back(what);
        if (m_log.size() > 40)
            m_log.pop_front();
    }

    // The large files cost a repaint of 32767 planets per step, so they
    // come up less often than the small ones.
    std::string RandomPath()
    {
        std::string path = m_paths[Pick(static_cast<int>(m_paths.size()))];
        if (path.find("large") != std::string::npos || path.find("over") != std::string::npos)
            return Chance(25) ? path : m_paths[0];
        return path;
    }

    // Answers for whatever dialog the next step opens.
    void PrimeAnswers()
    {
        m_openAnswers.clear();
        m_dialogAnswers.clear();
        if (Chance(85))
            m_openAnswers.push_back(RandomPath());
        static const char* names[] = {"Hub", "Morvath", "Far Reach", "Lone", "P77", "", " Hub", "hub", "\xff\x01"};
        std::string name = Chance(5) ? std::string(5000, 'x') : names[Pick(9)];
        m_dialogAnswers.push_back({Chance(75) ? IDOK : IDCANCEL, name});
    }

    CPoint RandomPoint()
    {
        CRect client;
        View()->GetClientRect(&client);
        switch (Pick(4)) {
        case 0: return CPoint(Between(-40, client.Width() + 40), Between(-40, client.Height() + 40));
        case 1: return CPoint(Between(-100000, 100000), Between(-100000, 100000));
        default: return CPoint(Between(0, std::max(client.Width() - 1, 0)), Between(0, std::max(client.Height() - 1, 0)));
        }
    }

    void Step();
    void SendCommandStep();
    void KeyStep();
    void ToolbarStep();
    void MenuStep();
    void DragStep();
    void StrayMouseStep();
    void ScrollStep();
    void ScrollBarClickStep();
    void ResizeStep();
    void OpenStep();
    void RestartStep();
    void MorphVolatile(int kind);
    void CheckInvariants();
    void ReportFailure(int step);

    unsigned m_seed = 0;
    int m_steps = 0;
    std::mt19937 m_rng;
    fs::path m_files;
    std::vector<std::string> m_paths;
    std::string m_volatile;
    std::deque<std::string> m_log;
    qsizetype m_widgetsBefore = 0;
    bool m_restarted = false;
    // What the session went through, so that a run that never reached the
    // interesting states does not pass unnoticed.
    struct {
        int pages = 0, previews = 0, withPlanets = 0, withoutPlanets = 0, full = 0, messages = 0, dialogs = 0, lines = 0, zoom = 12500;
    } m_seen;
    PermissionBitsApply m_permissions;  // so that locked.dat is unreadable
};

void Soak::Step()
{
    PrimeAnswers();
    CKestrinView* view = View();
    m_restarted = false;
    switch (Pick(20)) {
    case 0: case 1: case 2: case 3: SendCommandStep(); break;
    case 4: case 5: KeyStep(); break;
    case 6: Chance(50) ? ToolbarStep() : MenuStep(); break;
    case 7: case 8: case 9: DragStep(); break;
    case 10: StrayMouseStep(); break;
    case 11: case 12: ScrollStep(); break;
    case 13: ScrollBarClickStep(); break;
    case 14: case 15: ResizeStep(); break;
    case 16: case 17: OpenStep(); break;
    case 18: MorphVolatile(Pick(7)); break;
    default:
        if (Chance(15))
            RestartStep();
        else
            SendCommandStep();
        break;
    }
    if (!m_restarted && Frame() != nullptr && view->GetPreview() != nullptr)
        WorkThePreview(view);
    QApplication::processEvents();
    if (Frame() != nullptr && View() != nullptr) {
        Snapshot();  // every state is painted, whether or not Qt painted it
    }
    m_seen.messages += static_cast<int>(m_messages.size());
    m_seen.dialogs += static_cast<int>(m_dialogs.size());
    m_messages.clear();
    m_dialogs.clear();
    m_shellOpened.clear();
}

void Soak::SendCommandStep()
{
    UINT id = kSentCommands[Pick(static_cast<int>(std::size(kSentCommands)))];
    Note("command " + std::to_string(id));
    Frame()->SendCommand(id);
}

void Soak::KeyStep()
{
    const KeyStroke& k = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
    Note("key " + std::to_string(k.key) + " modifiers " + std::to_string(k.modifiers));
    Key(k.key, k.modifiers);
}

void Soak::ToolbarStep()
{
    std::vector<QAction*> buttons;
    for (QToolBar* bar : Frame()->Impl()->widget->findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (!a->isSeparator())
                buttons.push_back(a);
    ASSERT_FALSE(buttons.empty());
    QAction* button = buttons[Pick(static_cast<int>(buttons.size()))];
    Note("toolbar " + button->toolTip().toStdString());
    button->trigger();
}

// A menu opened (its items' states refreshed) and one of its items chosen,
// the recent files among them.
void Soak::MenuStep()
{
    std::vector<QMenu*>& menus = Frame()->Impl()->menus;
    ASSERT_FALSE(menus.empty());
    QMenu* menu = menus[Pick(static_cast<int>(menus.size()))];
    emit menu->aboutToShow();
    std::vector<QAction*> items;
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator() && a->menu() == nullptr && a != Action(ID_APP_EXIT) && a->isVisible())
            items.push_back(a);
    }
    if (items.empty())
        return;
    QAction* item = items[Pick(static_cast<int>(items.size()))];
    Note("menu item " + item->text().toStdString());
    item->trigger();
}

void Soak::DragStep()
{
    int button = Chance(50) ? MK_LBUTTON : MK_RBUTTON;
    CPoint p = RandomPoint();
    std::ostringstream what;
    what << "drag " << button << " from " << p.x << "," << p.y;
    Press(button, p);
    if (Chance(15)) {
        int other = button == MK_LBUTTON ? MK_RBUTTON : MK_LBUTTON;
        Press(other, RandomPoint());
        what << " with both";
    }
    for (int moves = Pick(6); moves > 0; --moves) {
        p = Chance(70) ? CPoint(p.x + Between(-60, 60), p.y + Between(-60, 60)) : RandomPoint();
        what << " to " << p.x << "," << p.y;
        Move(p);
    }
    Note(what.str());
    for (int b : {MK_LBUTTON, MK_RBUTTON})
        if (m_buttons & b)
            Release(b, Chance(80) ? p : RandomPoint());
}

// Events that reach the view without the gesture that would come first:
// releases without presses, and moves with buttons the view never saw go down.
void Soak::StrayMouseStep()
{
    CPoint p = RandomPoint();
    int buttons = Pick(4);
    Note("stray " + std::to_string(buttons) + " at " + std::to_string(p.x) + "," + std::to_string(p.y));
    QPointF local(p.x, p.y);
    Qt::MouseButtons held;
    if (buttons & MK_LBUTTON)
        held |= Qt::LeftButton;
    if (buttons & MK_RBUTTON)
        held |= Qt::RightButton;
    if (Chance(50)) {
        QMouseEvent e(QEvent::MouseMove, local, Canvas()->mapToGlobal(local), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &e);
    } else {
        Qt::MouseButton released = Chance(50) ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent e(QEvent::MouseButtonRelease, local, Canvas()->mapToGlobal(local), released, held,
                      Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &e);
    }
}

void Soak::ScrollStep()
{
    static const UINT codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION,
                                 SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL, 9, 0xffff};
    UINT code = codes[Pick(static_cast<int>(std::size(codes)))];
    static const int extremes[] = {0, 1, -1, 99, -99, 12499, INT_MAX, INT_MIN};
    int pos = Chance(50) ? extremes[Pick(8)] : Between(-20000, 20000);
    bool horizontal = Chance(50);
    Note(std::string(horizontal ? "hscroll " : "vscroll ") + std::to_string(code) + " " + std::to_string(pos));
    if (horizontal)
        View()->OnHScroll(code, static_cast<UINT>(pos), nullptr);
    else
        View()->OnVScroll(code, static_cast<UINT>(pos), nullptr);
}

// Real input on a visible scroll bar: Qt's own actions, or a click that
// lands on an arrow, the trough or the thumb and may drag it.
void Soak::ScrollBarClickStep()
{
    QScrollBar* bar = View()->Impl()->bars[Pick(2)];
    if (bar == nullptr || bar->isHidden())
        return;
    if (Chance(40)) {
        static const QAbstractSlider::SliderAction actions[] = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
            QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
            QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum,
            QAbstractSlider::SliderMove};
        QAbstractSlider::SliderAction action = actions[Pick(7)];
        Note("scroll-bar action " + std::to_string(action));
        bar->triggerAction(action);
        return;
    }
    QPoint p(Between(0, std::max(bar->width() - 1, 0)), Between(0, std::max(bar->height() - 1, 0)));
    Note("scroll-bar click at " + std::to_string(p.x()) + "," + std::to_string(p.y()));
    QMouseEvent press(QEvent::MouseButtonPress, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    for (int moves = Pick(3); moves > 0; --moves) {
        p = QPoint(p.x() + Between(-300, 300), p.y() + Between(-300, 300));
        QMouseEvent move(QEvent::MouseMove, p, bar->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
}

void Soak::ResizeStep()
{
    switch (Pick(4)) {
    case 0: {
        int w = Chance(30) ? Between(1, 40) : Between(1, 2500), h = Chance(30) ? Between(1, 40) : Between(1, 1800);
        Note("frame size " + std::to_string(w) + "x" + std::to_string(h));
        Frame()->Impl()->widget->resize(w, h);
        break;
    }
    case 1: {
        int w = Between(1, 1200), h = Between(1, 900);
        Note("client size " + std::to_string(w) + "x" + std::to_string(h));
        SetClientSize(w, h);
        break;
    }
    case 2: {
        // The client area itself at nothing or one pixel, until the layout runs.
        int w = Between(0, 2), h = Between(0, 2);
        Note("canvas size " + std::to_string(w) + "x" + std::to_string(h));
        Canvas()->resize(w, h);
        Snapshot();
        break;
    }
    default: {
        static const int metrics[] = {16, 16, 1, 399, 5000};
        int metric = metrics[Pick(5)];
        Note("scroll-bar metric " + std::to_string(metric));
        SetScrollBarMetricForTesting(metric);
        break;
    }
    }
}

void Soak::OpenStep()
{
    std::string path = RandomPath();
    switch (Pick(3)) {
    case 0:
        Note("open " + path);
        m_app->OpenDocumentFile(path);
        break;
    case 1:
        Note("File > Open " + (m_openAnswers.empty() ? std::string("cancelled") : m_openAnswers.front()));
        Frame()->SendCommand(ID_FILE_OPEN);
        break;
    default: {
        int index = Pick(4);
        Note("recent file " + std::to_string(index + 1));
        Frame()->SendCommand(ID_FILE_MRU_FILE1 + index);
        break;
    }
    }
}

// Exit by the menu, then start again, with a file or none, and now and then
// on a settings file left damaged.
void Soak::RestartStep()
{
    Note("exit and restart");
    m_restarted = true;
    if (Chance(50))
        Action(ID_APP_EXIT)->trigger();
    else
        ASSERT_TRUE(Frame()->SendCommand(ID_APP_EXIT));
    EXPECT_FALSE(Frame()->IsWindowVisible());
    Exit();
    EXPECT_EQ(QApplication::allWidgets().size(), m_widgetsBefore) << "the ended program left widgets behind";
    if (Chance(30)) {
        fs::path ini = m_dir.Path() / "config" / "Local AppWizard-Generated Applications" / "Kestrin.ini";
        fs::create_directories(ini.parent_path());
        m_dir.Write("config/Local AppWizard-Generated Applications/Kestrin.ini",
                    Chance(50) ? std::string("\x00\xff[Recent File List\nFile1=", 24) + m_volatile
                               : "[Recent File List]\nFile1=" + m_files.string() + "\nFile2=" + m_volatile + "\n");
    }
    std::vector<std::string> args;
    if (Chance(60))
        args.push_back(RandomPath());
    Note("start with " + (args.empty() ? std::string("no file") : args[0]));
    if (!Start(args)) {
        EXPECT_FALSE(m_messages.empty()) << "a start that ends says why";
        Exit();
        ASSERT_TRUE(Start());
    }
}

// The volatile file becomes another kind of file under the program, which
// may hold it open or list it among the recent files.
void Soak::MorphVolatile(int kind)
{
    std::error_code ec;
    fs::remove_all(m_volatile, ec);
    static const char* kinds[] = {"good", "partial", "missing", "folder", "pipe", "locked", "truncated"};
    Note(std::string("volatile.dat becomes ") + kinds[kind]);
    switch (kind) {
    case 0: m_dir.Write("files/volatile.dat", MapText({{"Shift", 3, 4, "VH"}, {"Drift", -30, 40, "QT"}})); break;
    case 1: m_dir.Write("files/volatile.dat", "Shift 3 4 VH\nbroken\n"); break;
    case 2: break;
    case 3: fs::create_directory(m_volatile, ec); break;
    case 4: ::mkfifo(m_volatile.c_str(), 0644); break;
    case 5:
        m_dir.Write("files/volatile.dat", "Shift 3 4 VH\n");
        ::chmod(m_volatile.c_str(), 0);
        break;
    default: m_dir.Write("files/volatile.dat", "Shi"); break;
    }
}

void Soak::CheckInvariants()
{
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(View(), nullptr);
    ASSERT_NE(View()->GetDocument(), nullptr);
    ASSERT_NE(Map(), nullptr) << "the open document always holds a map";
    EXPECT_TRUE(Frame()->IsWindowVisible());
    const CSize zoom = View()->m_zoom;
    EXPECT_TRUE(zoom.cx >= 1 && zoom.cx <= 12500 && zoom.cy >= 1 && zoom.cy <= 12500) << zoom.cx << "x" << zoom.cy;
    // The counts are 16-bit: past 32767 they would read negative.
    EXPECT_GE(Map()->GetPlanetCount(), 0);
    EXPECT_GE(Map()->GetMeasureLineCount(), 0);
    const bool planets = Map()->GetPlanetCount() > 0;
    ++(planets ? m_seen.withPlanets : m_seen.withoutPlanets);
    m_seen.full += Map()->GetPlanetCount() == 32767;
    m_seen.lines = std::max<int>(m_seen.lines, Map()->GetMeasureLineCount());
    m_seen.zoom = std::min<int>(m_seen.zoom, std::min(zoom.cx, zoom.cy));
    EXPECT_EQ(View()->IsScrollBarVisible(SB_HORZ), planets);
    EXPECT_EQ(View()->IsScrollBarVisible(SB_VERT), planets);
    Frame()->UpdateCommandUI();
    for (UINT id : kMapCommands) {
        EXPECT_EQ(Frame()->IsCommandEnabled(id), planets) << id;
        EXPECT_EQ(Action(id)->isEnabled(), planets) << id;
    }
    const BOOL fields[] = {View()->m_showTruceLine, View()->m_showCircles, View()->m_showLegend};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Action(kToggles[i])->isEnabled(), planets) << kToggles[i];
        if (planets) {
            EXPECT_EQ(Action(kToggles[i])->isChecked(), fields[i] != FALSE) << kToggles[i];
        }
    }
    for (UINT id : kAlwaysEnabled)
        EXPECT_TRUE(Frame()->IsCommandEnabled(id)) << id;
    const CRecentFileList& recent = m_app->GetRecentFileList();
    EXPECT_LE(recent.GetSize(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Frame()->IsCommandEnabled(ID_FILE_MRU_FILE1 + i), i < recent.GetSize()) << i;
    std::string caption = Frame()->GetWindowText();
    EXPECT_TRUE(caption.size() > 10 && caption.compare(caption.size() - 10, 10, " - Kestrin") == 0) << caption;
}

void Soak::ReportFailure(int step)
{
    std::fprintf(stderr, "soak: failed at step %d of seed %u (KESTRIN_SOAK_SEED=%u); the last steps:\n", step,
                 m_seed, m_seed);
    for (const std::string& line : m_log)
        std::fprintf(stderr, "  %s\n", line.c_str());
}

} // namespace

TEST_F(Soak, RandomSessionKeepsEveryInvariant)
{
    ASSERT_TRUE(m_permissions.Active()) << "cannot make a file unreadable here";
    for (int step = 1; step <= m_steps; ++step) {
        Step();
        if (!HasFailure())
            CheckInvariants();
        if (HasFailure()) {
            ReportFailure(step);
            return;
        }
    }
    std::fprintf(stderr,
                 "soak: %d steps with planets, %d without, %d with 32767 planets; %d messages, %d dialogs; "
                 "at most %d measure lines; smallest zoom %d; %d pages printed, %d previews\n",
                 m_seen.withPlanets, m_seen.withoutPlanets, m_seen.full, m_seen.messages, m_seen.dialogs,
                 m_seen.lines, m_seen.zoom, m_seen.pages, m_seen.previews);
    if (m_steps >= 200) {
        EXPECT_GT(m_seen.withPlanets, 0);
        EXPECT_GT(m_seen.withoutPlanets, 0);
        EXPECT_GT(m_seen.messages, 0);
    }
    Exit();
}
