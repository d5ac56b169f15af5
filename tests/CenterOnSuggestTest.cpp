// SPDX-License-Identifier: MIT
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
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

using Names = std::vector<std::string>;

class CenterOnList : public GuiTest {
protected:
    void SetUp() override
    {
        StartWith(MapText({{"Valmora", 1, 1, "VH"}, {"Old Morvath", 2, 2, "KOR"}, {"morvath", 3, 3, "KOR"},
                           {"Morvath", 40, -30, "KOR"}, {"Morvathine", 5, 5, "KE"}}));
    }

    void StartWith(const std::string& mapText)
    {
        ASSERT_TRUE(Start({m_dir.Write("m.dat", mapText)}));
        SetDialogHook(nullptr);  // the real dialog, typed into
        View()->m_center = CPoint(777, 777);
    }

    // What the user sees while the dialog is open, read by the steps.
    struct Seen {
        std::string field;
        Names list;
        int highlighted = -1;  // the row, or -1 for none
        bool listOpen = false;
        bool dialogOpen = false;
        std::string focus;  // the text of the button that has the focus, if one has
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

    // A key as the user would press it: to the widget that has the
    // keyboard (a list that grabbed it, else the focus), else the field.
    static void Press(QLineEdit* edit, Qt::Key key)
    {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr)
            target = QApplication::focusWidget();
        QTest::keyClick(target ? target : edit, key);
    }

    static QAbstractItemView* List(QDialog* dialog)
    {
        if (auto* popup = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget()))
            return popup;
        return dialog->findChild<QAbstractItemView*>(QStringLiteral("suggestions"));
    }

    // The pointer moved onto a row of the list, and optionally clicked there.
    static void Point(QDialog* dialog, int row, bool click)
    {
        QAbstractItemView* list = List(dialog);
        ASSERT_NE(list, nullptr);
        QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        if (click)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    static Seen Look(QDialog* dialog, QLineEdit* edit)
    {
        Seen seen;
        seen.field = edit->text().toStdString();
        seen.dialogOpen = dialog->isVisible();
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget()))
            seen.focus = button->text().toStdString();
        QAbstractItemView* list = List(dialog);
        if (list == nullptr || !list->isVisible())
            return seen;
        seen.listOpen = true;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            seen.list.push_back(list->model()->index(row, 0).data().toString().toStdString());
        QModelIndex current = list->currentIndex();
        if (current.isValid() && list->selectionModel()->isSelected(current))
            seen.highlighted = current.row();
        return seen;
    }
};

// A map where "Gamma" is one name among many that hold it.
class CenterOnGamma : public CenterOnList {
protected:
    void SetUp() override
    {
        std::vector<std::tuple<std::string, int, int, std::string>> planets{{"Gamma", 12, 34, "VH"},
                                                                            {"Gamma Prime", 1, 1, "KE"}};
        for (char c = 'A'; c <= 'J'; ++c)
            planets.emplace_back(std::string("Sigma Gamma ") + c, c, 2, "S");
        planets.emplace_back("Gambit", 3, 3, "S");
        planets.emplace_back("Gamut", 4, 4, "S");
        StartWith(MapText(planets));
    }
    const CPoint kGamma{120, -340};
    const CPoint kGammaPrime{10, -10};
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
        const CNameSuggestions suggestions(map);
        auto suggest = [&](const std::string& typed) { return SuggestPlanetNames(map, suggestions, typed); };
        EXPECT_EQ(suggest("Morvath"), (Names{"Morvath", "morvath", "Morvathine", "Old Morvath"}));
        EXPECT_EQ(suggest("mor"), (Names{"morvath", "Morvath", "Morvathine", "Old Morvath", "Valmora"}));
        EXPECT_EQ(suggest("K\xC3\x89L"), (Names{"K\xC3\xA9la"})) << "É typed, é in the file";
        EXPECT_EQ(suggest(""), Names{});
        EXPECT_EQ(suggest("xyz"), Names{});
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

// The names are folded from one map: once another file is open, the list
// offers that file's names.
TEST_F(CenterOnList, AfterAnotherFileOpensTheListOffersItsNames)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    auto look = [seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "mor");
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);  // nothing highlighted: Cancel
    };
    CenterOn(look);
    const std::string other = m_dir.Write("other.dat", MapText({{"Elmore", 2, 2, "KE"}, {"Moradin", 1, 1, "VH"}}));
    ASSERT_NE(m_app->OpenDocumentFile(other), nullptr);
    CenterOn(look);
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].list, (Names{"morvath", "Morvath", "Morvathine", "Old Morvath", "Valmora"}));
    EXPECT_EQ((*seen)[1].list, (Names{"Moradin", "Elmore"}));
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
        Press(edit, Qt::Key_Return);  // the list is open but nothing in it is highlighted: OK
    });
    EXPECT_EQ(View()->m_center, CPoint(30, -30)) << "the exact, case-sensitive name";
}

TEST_F(CenterOnGamma, WhileNothingIsHighlightedEnterIsOkEscIsCancelAndTabMovesOn)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        View()->m_center = CPoint(777, 777);
        CenterOn([seen, enter](QDialog* dialog, QLineEdit* edit) {
            QTest::keyClicks(edit, "Gamma");
            seen->push_back(Look(dialog, edit));
            Press(edit, enter);
        });
        ASSERT_FALSE(seen->empty());
        EXPECT_TRUE(seen->back().listOpen) << "the list is open and showing";
        EXPECT_EQ(seen->back().list.at(0), "Gamma");
        EXPECT_EQ(seen->back().highlighted, -1);
        EXPECT_EQ(View()->m_center, kGamma) << "Enter is OK and centres on the name typed";
    }

    View()->m_center = CPoint(777, 777);
    CenterOn([](QDialog*, QLineEdit* edit) {
        QTest::keyClicks(edit, "Gamma");
        Press(edit, Qt::Key_Escape);
    });
    EXPECT_EQ(View()->m_center, CPoint(777, 777)) << "Esc is Cancel, list or not";

    seen->clear();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "Gamma");
        Press(edit, Qt::Key_Tab);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
    });
    ASSERT_EQ(seen->size(), 1u);
    EXPECT_TRUE((*seen)[0].dialogOpen);
    EXPECT_EQ((*seen)[0].focus, "OK") << "Tab moves on to the next control";
    EXPECT_FALSE((*seen)[0].listOpen);
    EXPECT_EQ((*seen)[0].field, "Gamma");
    EXPECT_EQ(View()->m_center, CPoint(777, 777));
}

TEST_F(CenterOnGamma, InTheListEnterTakesTheNameAndEscReturnsToTheText)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "Gamma");
        Press(edit, Qt::Key_Down);
        Press(edit, Qt::Key_Down);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Return);
    });
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].highlighted, 1);
    EXPECT_EQ((*seen)[0].field, "Gamma") << "moving in the list leaves the field";
    EXPECT_TRUE((*seen)[1].dialogOpen) << "Esc in the list only returns to the text";
    EXPECT_FALSE((*seen)[1].listOpen);
    EXPECT_EQ((*seen)[1].field, "Gamma");
    EXPECT_EQ(View()->m_center, kGamma) << "then Enter is OK with the typed text";

    // The pointer moves into the list as Down does; Enter takes its name.
    seen->clear();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "Gam");
        Point(dialog, 1, false);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Return);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Return);
    });
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].highlighted, 1);
    EXPECT_EQ((*seen)[1].field, "Gamma Prime");
    EXPECT_TRUE((*seen)[1].dialogOpen);
    EXPECT_EQ(View()->m_center, kGammaPrime);

    // A click takes a name at once; Up from the text goes to the last name.
    seen->clear();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "Gamma P");
        Point(dialog, 0, true);
        seen->push_back(Look(dialog, edit));
        QTest::keyClicks(edit, "x");
        QTest::keyClick(edit, Qt::Key_Backspace);
        Press(edit, Qt::Key_Up);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
        Press(edit, Qt::Key_Escape);
    });
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].field, "Gamma Prime");
    EXPECT_FALSE((*seen)[0].listOpen);
    EXPECT_TRUE((*seen)[1].listOpen) << "typing again opens the list";
    EXPECT_EQ((*seen)[1].list, Names{"Gamma Prime"});
    EXPECT_EQ((*seen)[1].highlighted, 0);
    EXPECT_EQ(View()->m_center, kGammaPrime) << "the second Esc cancelled";
}

TEST_F(CenterOnGamma, PastTwelveNamesTheLastRowSaysHowManyMoreAndCannotBeChosen)
{
    auto seen = std::make_shared<std::vector<Seen>>();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "gam");
        seen->push_back(Look(dialog, edit));
        for (int i = 0; i < 20; ++i)
            Press(edit, Qt::Key_Down);
        seen->push_back(Look(dialog, edit));
        Point(dialog, 12, true);  // the note row
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Return);
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
    });
    ASSERT_EQ(seen->size(), 4u);
    Names expected{"Gamma", "Gamma Prime", "Gambit", "Gamut"};
    for (char c = 'A'; c <= 'H'; ++c)
        expected.push_back(std::string("Sigma Gamma ") + c);
    expected.push_back("and 2 more");
    EXPECT_EQ((*seen)[0].list, expected);
    EXPECT_EQ((*seen)[1].highlighted, 11) << "Down stops at the last name";
    EXPECT_EQ((*seen)[2].highlighted, 11) << "the pointer cannot highlight the note";
    EXPECT_EQ((*seen)[2].field, "gam") << "nor a click choose it";
    EXPECT_TRUE((*seen)[2].listOpen);
    EXPECT_EQ((*seen)[3].field, "Sigma Gamma H");
    EXPECT_EQ(View()->m_center, CPoint(777, 777));

    // Exactly twelve: no note.
    seen->clear();
    CenterOn([seen](QDialog* dialog, QLineEdit* edit) {
        QTest::keyClicks(edit, "gamma");
        seen->push_back(Look(dialog, edit));
        Press(edit, Qt::Key_Escape);
    });
    ASSERT_EQ(seen->size(), 1u);
    ASSERT_EQ((*seen)[0].list.size(), 12u);
    EXPECT_EQ((*seen)[0].list.back(), "Sigma Gamma J");
}
