// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "app/AboutDlg.h"
#include "platform/framework/Dialog.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace {

class Commands : public GuiTest {
protected:
    void SetUp() override
    {
        std::string path = m_dir.Write(
            "m.dat", MapText({{"Hub", 0, 0, "QT"}, {"Twin", 100, 100, "VH"}, {"Far Reach", -200, 150, "E"},
                              {"Twin", -300, -300, "VH"}, {"Morvath", 50, 20, "NJ"}}));
        ASSERT_TRUE(Start({path}));
    }

    // Legend pixels: the top-left block the 17 rows cover.
    static long LegendDifferences(const CImage& a, const CImage& b)
    {
        long n = 0;
        for (int y = 0; y < 17 * 14; ++y)
            for (int x = 0; x < 60; ++x)
                n += a.GetPixel(x, y) != b.GetPixel(x, y);
        return n;
    }

    void CenterOn(int answer, const std::string& name)
    {
        m_dialogAnswers.push_back({answer, name});
        Frame()->SendCommand(ID_CENTER_ON);
    }
};

// Enter on whichever widget of the dialog has the focus.
void PressEnterOn(QWidget* focus)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(focus, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(focus, &release);
}

QPushButton* ButtonOf(QWidget* dialog, const QString& text)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

TEST_F(Commands, TogglesFlipCheckAndRepaintAndTwiceLeaveThePictureAsItWas)
{
    CImage before = Snapshot();
    for (UINT id : {ID_VIEW_TRUCE_LINE, ID_VIEW_CIRCLES, ID_VIEW_LEGEND}) {
        Frame()->SendCommand(id);
        EXPECT_TRUE(Action(id)->isChecked()) << id;
        EXPECT_GT(Snapshot().CountDifferences(before), 0) << id;
        Frame()->SendCommand(id);
        EXPECT_FALSE(Action(id)->isChecked());
        EXPECT_EQ(Snapshot().CountDifferences(before), 0) << id;
    }
}

TEST_F(Commands, ToggleWithoutPlanetsIsDisabledAndKeepsItsCheckMark)
{
    Frame()->SendCommand(ID_VIEW_CIRCLES);
    std::string empty = m_dir.Write("empty.dat", "");
    m_app->OpenDocumentFile(empty);
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Action(ID_VIEW_CIRCLES)->isEnabled());
    EXPECT_TRUE(Action(ID_VIEW_CIRCLES)->isChecked());
    EXPECT_TRUE(View()->m_showCircles) << "the circles are still drawn on the empty map";
    CImage image = Snapshot();
    CDC dc;
    View()->OnPrepareDC(&dc, nullptr);
    CPoint edge(6000, 0);
    dc.LPtoDP(&edge);
    int rim = 0;
    for (int x = edge.x - 3; x <= edge.x + 3; ++x)
        rim += image.GetPixel(x, edge.y) == RGB(0, 128, 0);
    EXPECT_GT(rim, 0) << "the 6000-unit circle's rim";
}

TEST_F(Commands, LegendStaysAtTheSamePixelsAtEveryZoomAndNeverPrints)
{
    Frame()->SendCommand(ID_VIEW_LEGEND);
    CImage first = Snapshot();
    EXPECT_EQ(first.GetPixel(1, 1), RGB(0, 0, 0)) << "rows on black boxes";
    long coloured = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 60; ++x)
            coloured += first.GetPixel(x, y) == RGB(0, 0, 255);
    EXPECT_GT(coloured, 10) << "the first row in blue";
    for (int i = 0; i < 5; ++i) {
        Frame()->SendCommand(ID_ZOOM_IN);
        View()->OnHScroll(SB_PAGERIGHT, 0, nullptr);
        View()->OnHScroll(SB_ENDSCROLL, 0, nullptr);
        EXPECT_EQ(LegendDifferences(Snapshot(), first), 0) << i;
    }
    CImage page(400, 500, RGB(255, 255, 255));
    CDC dc;
    dc.AttachImage(page);
    dc.SetPrinting(true);
    CPrintInfo info;
    View()->OnPrepareDC(&dc, &info);
    View()->OnDraw(&dc);
    dc.Detach();
    EXPECT_EQ(LegendDifferences(page, CImage(400, 500, RGB(255, 255, 255))), 0);
}

TEST_F(Commands, CenterOnFindsTheExactNameOrTheOrigin)
{
    View()->OnZoomIn();
    CenterOn(IDOK, "Far Reach");
    EXPECT_EQ(View()->m_center, CPoint(-2000, -1500));
    EXPECT_EQ(View()->m_zoom, CSize(6250, 6250));
    CenterOn(IDOK, "Twin");
    EXPECT_EQ(View()->m_center, CPoint(1000, -1000)) << "the first of two";
    CenterOn(IDCANCEL, "Hub");
    EXPECT_EQ(View()->m_center, CPoint(1000, -1000));
    for (const char* miss : {"far reach", " Far Reach", "Far Reach ", "Far  Reach", ""}) {
        View()->m_center = CPoint(5, 5);
        CenterOn(IDOK, miss);
        EXPECT_EQ(View()->m_center, CPoint(0, 0)) << '"' << miss << '"';
    }
    EXPECT_EQ(m_dialogs.size(), 8u);
}

TEST_F(Commands, CenterOnDialogStartsEmptyAndTakesTheTypedName)
{
    SetDialogHook(nullptr);
    AnswerModalLater([](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->text().isEmpty());
        edit->setText(QStringLiteral("Morvath"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
    });
    Frame()->SendCommand(ID_CENTER_ON);
    EXPECT_EQ(View()->m_center, CPoint(500, -200));
}

TEST_F(Commands, AboutBoxClosesByOkEscapeAndTheCloseBox)
{
    SetDialogHook(nullptr);
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* w) {
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == "OK")
                    b->click();
        },
        [](QWidget* w) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w, &esc);
        },
        [](QWidget* w) { w->close(); },
    };
    for (const auto& way : ways) {
        AnswerModalLater(way);
        CAboutDlg about;
        EXPECT_NE(about.DoModal(), -1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(Commands, ReadmeOpensTheFileOfTheWorkingDirectoryAndReportsNothing)
{
    Frame()->SendCommand(ID_VIEW_README);
    ASSERT_EQ(m_shellOpened.size(), 1u);
    EXPECT_EQ(m_shellOpened[0], (std::filesystem::current_path() / "readme.txt").string());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_APP_ABOUT));
}

namespace {

class CenterOnNames : public GuiTest {
protected:
    void CenterOn(const std::string& typed)
    {
        m_dialogAnswers.push_back({IDOK, typed});
        View()->m_center = CPoint(5, 5);
        Frame()->SendCommand(ID_CENTER_ON);
    }
};

} // namespace

TEST_F(CenterOnNames, TypedNamesAreFoundInUtf8AndInWindows1252Maps)
{
    // The same names, typed (UTF-8) and stored in either encoding; a planet
    // named "?" catches a conversion that would stand in for what it cannot hold.
    const std::pair<const char*, CTextEncoding> files[] = {
        {"Z\xC3\xBCrich 10 20 VH\nCaf\xC3\xA9 \xE2\x80\x94 30 40 QT\n\xE2\x82\xAC" "5 -50 60 E\n? 70 80 VH\n",
         CTextEncoding::Utf8},
        {"Z\xFCrich 10 20 VH\nCaf\xE9 \x97 30 40 QT\n\x80" "5 -50 60 E\n? 70 80 VH\n", CTextEncoding::Windows1252},
    };
    for (const auto& [text, encoding] : files) {
        ASSERT_TRUE(Start({m_dir.Write("names.dat", text)}));
        ASSERT_EQ(Map()->GetTextEncoding(), encoding);
        CenterOn("Z\xC3\xBCrich");
        EXPECT_EQ(View()->m_center, CPoint(100, -200));
        CenterOn("Caf\xC3\xA9 \xE2\x80\x94");
        EXPECT_EQ(View()->m_center, CPoint(300, -400));
        CenterOn("\xE2\x82\xAC" "5");
        EXPECT_EQ(View()->m_center, CPoint(-500, -600));
        CenterOn("Zurich");
        EXPECT_EQ(View()->m_center, CPoint(0, 0));
        CenterOn("\xCE\xA9");  // Greek omega: no byte of Windows-1252 holds it
        EXPECT_EQ(View()->m_center, CPoint(0, 0));
        Exit();
    }
}

TEST_F(Commands, EnterPressesTheFocusedButtonOrElseOk)
{
    SetDialogHook(nullptr);
    // The focus on Cancel: Enter cancels, the name typed is not used.
    AnswerModalLater([](QWidget* w) {
        w->findChild<QLineEdit*>()->setText(QStringLiteral("Morvath"));
        QPushButton* cancel = ButtonOf(w, QStringLiteral("Cancel"));
        ASSERT_NE(cancel, nullptr);
        cancel->setFocus();
        PressEnterOn(cancel);
    });
    Frame()->SendCommand(ID_CENTER_ON);
    EXPECT_EQ(View()->m_center, CPoint(0, 0));
    // The focus on OK, then in the edit field: Enter is OK.
    for (bool onOk : {true, false}) {
        View()->m_center = CPoint(0, 0);
        AnswerModalLater([onOk](QWidget* w) {
            auto* edit = w->findChild<QLineEdit*>();
            edit->setText(QStringLiteral("Morvath"));
            QWidget* focus = onOk ? static_cast<QWidget*>(ButtonOf(w, QStringLiteral("OK"))) : edit;
            ASSERT_NE(focus, nullptr);
            focus->setFocus();
            PressEnterOn(focus);
        });
        Frame()->SendCommand(ID_CENTER_ON);
        EXPECT_EQ(View()->m_center, CPoint(500, -200)) << (onOk ? "on OK" : "in the field");
    }
    // The About box: Enter on its one button.
    AnswerModalLater([](QWidget* w) {
        QPushButton* ok = ButtonOf(w, QStringLiteral("OK"));
        ASSERT_NE(ok, nullptr);
        ok->setFocus();
        PressEnterOn(ok);
    });
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
}
