// The list of names under the Center On field: what it offers for the text
// typed, and how its keys share Enter and Esc with the dialog, driven by
// real key events on the real dialog.

#include "GuiFixture.h"

#include "view/CenterOnSuggestions.h"

#include "platform/framework/Dialog.h"
#include "res/ResourceIds.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

using Names = std::vector<std::string>;

class CenterOnList : public GuiTest {
protected:
    void SetUp() override
    {
        std::string path = m_dir.Write("m.dat", MapText({{"Valmora", 1, 1, "VH"}, {"Old Morvath", 2, 2, "KOR"},
                                                         {"morvath", 3, 3, "KOR"}, {"Morvath", 40, -30, "KOR"},
                                                         {"Morvathine", 5, 5, "KE"}}));
        ASSERT_TRUE(Start({path}));
        SetDialogHook(nullptr);  // the real dialog, typed into
        View()->m_center = CPoint(777, 777);
    }

    // What the user sees while the dialog is open, read by the steps.
    struct Seen {
        std::string field;
        Names list;
        bool listOpen = false;
        bool dialogOpen = false;
    };

    // Runs Center On; steps act on the dialog once it is up.
    void CenterOn(std::function<void(QDialog*, QLineEdit*)> steps)
    {
        AnswerModalLater([steps](QWidget* modal) {
            auto* dialog = qobject_cast<QDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            auto* edit = dialog->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            steps(dialog, edit);
        });
        Frame()->SendCommand(ID_CENTER_ON);
    }

    // A key as the user would press it: to the list while it is open (it
    // takes the keyboard), else to the field.
    static void Press(QLineEdit* edit, Qt::Key key)
    {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : edit, key);
    }

    static Seen Look(QDialog* dialog, QLineEdit* edit)
    {
        Seen seen;
        seen.field = edit->text().toStdString();
        seen.dialogOpen = dialog->isVisible();
        if (auto* list = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget())) {
            seen.listOpen = list->isVisible();
            for (int row = 0; row < list->model()->rowCount(); ++row)
                seen.list.push_back(list->model()->index(row, 0).data().toString().toStdString());
        }
        return seen;
    }
};

} // namespace

TEST(CenterOnSuggestions, GroupsInOrderEachNameOnceAsTheFileWritesItInEitherEncoding)
{
    TempDir dir;
    // "Kéla" in UTF-8, and in Windows-1252 beside a byte UTF-8 never has.
    for (std::string kela : {std::string("K\xC3\xA9la"), std::string("K\xE9la")}) {
        std::string text = "Valmora 1 1 VH\nOld Morvath 2 2 KOR\nmorvath 3 3 KOR\nMorvath 4 4 KOR\n"
                           "Morvathine 5 5 KE\nMorvath 6 6 S\n" + kela + " 7 7 S\nAkela 8 8 S\n";
        CStarMap map;
        ASSERT_TRUE(map.LoadDataFile(dir.Write("m.dat", text).c_str()));
        EXPECT_EQ(SuggestPlanetNames(map, "Morvath"), (Names{"Morvath", "morvath", "Morvathine", "Old Morvath"}));
        EXPECT_EQ(SuggestPlanetNames(map, "mor"), (Names{"morvath", "Morvath", "Morvathine", "Old Morvath", "Valmora"}));
        EXPECT_EQ(SuggestPlanetNames(map, "K\xC3\x89L"), (Names{"K\xC3\xA9la"})) << "É typed, é in the file";
        EXPECT_EQ(SuggestPlanetNames(map, ""), Names{});
        EXPECT_EQ(SuggestPlanetNames(map, "xyz"), Names{});
    }
}

TEST_F(CenterOnList, DownAndEnterFillTheFieldAndASecondEnterCentres)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "morv");
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Down);
        Press(edit, Qt::Key_Down);
        Press(edit, Qt::Key_Enter);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Return);
    });
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_TRUE((*seen)[0].listOpen);
    EXPECT_EQ((*seen)[0].list, (Names{"morvath", "Morvath", "Morvathine", "Old Morvath"}));
    EXPECT_EQ((*seen)[0].field, "morv") << "moving in the list changes nothing yet";
    EXPECT_EQ((*seen)[1].field, "Morvath") << "the name exactly as the file writes it";
    EXPECT_FALSE((*seen)[1].listOpen);
    EXPECT_TRUE((*seen)[1].dialogOpen) << "the first Enter only chooses";
    EXPECT_EQ(View()->m_center, CPoint(400, 300));
}

TEST_F(CenterOnList, EscClosesTheListFirstAndThenCancels)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "Morvath");
        Press(edit, Qt::Key_Down);
        Press(edit, Qt::Key_Escape);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
    });
    ASSERT_EQ(seen->size(), 1u);
    EXPECT_TRUE((*seen)[0].dialogOpen);
    EXPECT_FALSE((*seen)[0].listOpen);
    EXPECT_EQ((*seen)[0].field, "Morvath");
    EXPECT_EQ(View()->m_center, CPoint(777, 777)) << "the second Esc is Cancel";
}

TEST_F(CenterOnList, OkPassesTheTypedTextUnchanged)
{
    CenterOn([](QDialog*, QLineEdit* edit) {
        QTest::keyClicks(edit, "morvathx");
        Press(edit, Qt::Key_Return);  // no list: OK
    });
    EXPECT_EQ(View()->m_center, CPoint(0, 0)) << "no planet has that name";
    CenterOn([](QDialog*, QLineEdit* edit) {
        QTest::keyClicks(edit, "morvath");
        Press(edit, Qt::Key_Escape);   // closes the list
        Press(edit, Qt::Key_Return);   // OK with the text as typed
    });
    EXPECT_EQ(View()->m_center, CPoint(30, -30)) << "the exact, case-sensitive name";
}
