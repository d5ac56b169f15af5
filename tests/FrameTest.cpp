// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "platform/print/PrintService.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QToolBar>
#include <QWidget>

namespace {

const UINT kMapCommands[] = {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, ID_CENTER_ON, ID_FILE_PRINT,
                             ID_FILE_PRINT_PREVIEW};
const UINT kToggles[] = {ID_VIEW_TRUCE_LINE, ID_VIEW_CIRCLES, ID_VIEW_LEGEND};

QWidget* ToolButton(QAction* action)
{
    for (QToolBar* bar : action->parent()->findChildren<QToolBar*>())
        if (QWidget* w = bar->widgetForAction(action))
            return w;
    return nullptr;
}

} // namespace

using MainFrame = GuiTest;

TEST_F(MainFrame, WithoutPlanetsMapCommandsAreDisabledEverywhere)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->GetWindowText(), "Untitled - Kestrin");
    for (UINT id : kMapCommands)
        EXPECT_FALSE(Frame()->IsCommandEnabled(id)) << id;
    for (UINT id : kToggles)
        EXPECT_FALSE(Frame()->IsCommandEnabled(id)) << id;
    for (UINT id : {ID_EDIT_UNDO, ID_FILE_OPEN, ID_APP_ABOUT, ID_VIEW_README, ID_VIEW_TOOLBAR, ID_APP_EXIT})
        EXPECT_TRUE(Frame()->IsCommandEnabled(id)) << id;
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Action(ID_ZOOM_IN)->isEnabled());
    ASSERT_NE(ToolButton(Action(ID_ZOOM_IN)), nullptr);
    EXPECT_FALSE(ToolButton(Action(ID_ZOOM_IN))->isEnabled());
    EXPECT_FALSE(ToolButton(Action(ID_FILE_PRINT))->isEnabled());
    EXPECT_TRUE(ToolButton(Action(ID_FILE_OPEN))->isEnabled());
    EXPECT_TRUE(ToolButton(Action(ID_APP_ABOUT))->isEnabled());
    // The accelerator of a disabled command does nothing.
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(m_dialogs.empty());
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
    EXPECT_FALSE(View()->IsScrollBarVisible(SB_HORZ));
}

TEST_F(MainFrame, WithPlanetsTheyAreEnabledAndTheCaptionNamesTheFile)
{
    std::string path = m_dir.Write("frontier.dat", MapText({{"Hub", 0, 0, "QT"}}));
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(Frame()->GetWindowText(), "frontier.dat - Kestrin");
    for (UINT id : kMapCommands)
        EXPECT_TRUE(Frame()->IsCommandEnabled(id)) << id;
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(ToolButton(Action(ID_CENTER_ON))->isEnabled());
    EXPECT_TRUE(Action(ID_VIEW_LEGEND)->isEnabled());
    EXPECT_FALSE(Action(ID_VIEW_LEGEND)->isChecked());
}

TEST_F(MainFrame, KeypadPlusZoomsAndTheMainKeyboardPlusDoesNot)
{
    std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}}));
    ASSERT_TRUE(Start({path}));
    Key(Qt::Key_Plus);
    Key(Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(View()->m_zoom.cx, 12500);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(View()->m_zoom.cx, 3125);
    Key(Qt::Key_Minus);
    EXPECT_EQ(View()->m_zoom.cx, 3125);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(View()->m_zoom.cx, 6250);
    View()->m_center = CPoint(10, 10);
    Key(Qt::Key_Escape);
    EXPECT_EQ(View()->m_zoom.cx, 12500);
    EXPECT_EQ(View()->m_center, CPoint(0, 0));
    m_dialogAnswers.push_back({IDOK, "Hub"});
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs, std::vector<int>{IDD_CENTER_ON});
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_dialogs.size(), 1u) << "Ctrl+Shift+C is not the accelerator";
}

TEST_F(MainFrame, MenusHoldTheirItemsInOrder)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->GetMenuTexts(0),
              (std::vector<std::string>{"&Open...\tCtrl+O", "-", "&Print...\tCtrl+P", "Print Pre&view",
                                        "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(Frame()->GetMenuTexts(2), (std::vector<std::string>{"Zoom &In\t+", "Zoom &Out\t-",
                                                                   "Zoom E&xtents\tESC", "-",
                                                                   "&Center On...\tCtrl+C"}));
    EXPECT_EQ(Frame()->GetMenuTexts(3), (std::vector<std::string>{"&Varl Truce Line", "Light &Year Circles",
                                                                   "&Legend", "-", "&Toolbar"}));
    EXPECT_EQ(Frame()->GetMenuTexts(4),
              (std::vector<std::string>{"&View Readme", "-", "&About Kestrin..."}));
    EXPECT_EQ(Action(ID_ZOOM_EXTENTS)->toolTip().toStdString(), "Zoom Extents");
    EXPECT_EQ(Action(ID_CENTER_ON)->toolTip().toStdString(), "Center On...");
}

TEST_F(MainFrame, ToolbarCommandHidesAndShowsTheToolbar)
{
    ASSERT_TRUE(Start());
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Frame()->SendCommand(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(ToolButton(Action(ID_FILE_OPEN))->isVisible());
    EXPECT_FALSE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Frame()->SendCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(MainFrame, CommandsRouteToTheFirstTargetThatHandlesThem)
{
    std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}}));
    ASSERT_TRUE(Start({path}));
    // Handled by the view, the frame and the application in turn.
    EXPECT_TRUE(Frame()->SendCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(Frame()->SendCommand(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Frame()->SendCommand(ID_APP_ABOUT));
    EXPECT_EQ(m_dialogs, std::vector<int>{IDD_ABOUTBOX});
    EXPECT_FALSE(Frame()->SendCommand(12345)) << "no target, so disabled";
    EXPECT_FALSE(Frame()->IsCommandEnabled(12345));
}

namespace {

// A key press as a keyboard layout delivers it: the character the layout
// puts on the key, and the key's place on the keyboard (the native code of
// X11 and Wayland: the kernel's key code plus 8).
void LayoutKey(QWidget* target, int qtKey, quint32 nativeCode, const QString& text,
               Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, nativeCode, 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, nativeCode, 0, 0, text);
    QApplication::sendEvent(target, &release);
}

// Native codes of the keys a US keyboard marks C, I, O, P and Z.
constexpr quint32 kPlaceC = 54, kPlaceI = 31, kPlaceO = 32, kPlaceP = 33, kPlaceZ = 52;

} // namespace

TEST_F(MainFrame, AcceleratorsFireFromTheirKeysUnderEveryLayout)
{
    std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}}));
    ASSERT_TRUE(Start({path}));
    int printDialogs = 0;
    SetPrintDialogHook([&printDialogs](CPrintDialogRequest&) {
        ++printDialogs;
        return IDCANCEL;
    });
    // Cyrillic: the keys of C, O, P and Z type с, щ, з and я.
    LayoutKey(Canvas(), 0x0421, kPlaceC, QString(QChar(0x0441)));
    EXPECT_EQ(m_dialogs, std::vector<int>{IDD_CENTER_ON}) << "Ctrl+C";
    m_openAnswers.push_back((m_dir.Path() / "missing.dat").string());
    LayoutKey(Canvas(), 0x0429, kPlaceO, QString(QChar(0x0449)));
    EXPECT_TRUE(m_openAnswers.empty()) << "Ctrl+O asks for a file";
    LayoutKey(Canvas(), 0x0417, kPlaceP, QString(QChar(0x0437)));
    EXPECT_EQ(printDialogs, 1) << "Ctrl+P";
    Map()->AddMeasureLine(0, 0, 100, 100, 7);
    LayoutKey(Canvas(), 0x042F, kPlaceZ, QString(QChar(0x044F)));
    EXPECT_EQ(Map()->GetMeasureLineCount(), 0) << "Ctrl+Z";
    // Greek: the key of C types ψ.
    LayoutKey(Canvas(), 0x03A8, kPlaceC, QString(QChar(0x03C8)));
    EXPECT_EQ(m_dialogs.size(), 2u);
    // Without Ctrl, or with Shift too, the key is no accelerator.
    LayoutKey(Canvas(), 0x0421, kPlaceC, QString(QChar(0x0441)), Qt::NoModifier);
    LayoutKey(Canvas(), 0x0421, kPlaceC, QString(QChar(0x0441)), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_dialogs.size(), 2u);
    // A Latin layout keeps its letters where it puts them (Dvorak types J on
    // the key of C, and C on the key of I).
    LayoutKey(Canvas(), Qt::Key_J, kPlaceC, QStringLiteral("j"));
    EXPECT_EQ(m_dialogs.size(), 2u);
    LayoutKey(Canvas(), Qt::Key_C, kPlaceI, QStringLiteral("c"));
    EXPECT_EQ(m_dialogs.size(), 3u);
    // The keypad's plus and minus still differ from the main keyboard's.
    LayoutKey(Canvas(), Qt::Key_Plus, 21, QStringLiteral("+"), Qt::NoModifier);
    EXPECT_EQ(View()->m_zoom.cx, 12500);
    LayoutKey(Canvas(), Qt::Key_Plus, 86, QStringLiteral("+"), Qt::KeypadModifier);
    EXPECT_EQ(View()->m_zoom.cx, 6250);
}
