// SPDX-License-Identifier: MIT
// File and planet names that look like markup, shown in the real widgets:
// message boxes, the printing status box, dialogs and the window caption
// show them letter for letter and never load what a tag names.

#include "GuiFixture.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/Dialog.h"
#include "platform/print/qt/PrintStatusBox.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Names as a message shows them, in a path ("<b>bold</b>.dat" is the file
// "b>.dat" in the folder "<b>bold<"), and names of files.
const std::vector<std::string> kMarkupPaths{"<img src=z>.dat", "a&lt;b.dat", "<b>bold</b>.dat", "[*]star.dat"};
const std::vector<std::string> kMarkupFileNames{"<img src=z>.dat", "a&lt;b.dat", "<b>bold<i>.dat", "[*]star.dat"};

// What a label or message box shows, with the invisible wrap points of
// long paths taken out.
std::string Shown(const QString& text)
{
    QString plain = text;
    plain.remove(QChar(0x200B));
    return plain.toStdString();
}

// Runs the test in folder, where "z" leads to an endless file: a label
// that took "<img src=z>" for markup would read it and never return.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : m_before(fs::current_path())
    {
        fs::create_symlink("/dev/zero", folder / "z");
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(m_before); }

private:
    fs::path m_before;
};

struct LabelSeen {
    std::string text;
    bool plain = false;
};

std::vector<LabelSeen> LabelsOf(const QWidget* window)
{
    std::vector<LabelSeen> labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            labels.push_back({Shown(label->text()), label->textFormat() == Qt::PlainText});
    return labels;
}

class NamesAsText : public GuiTest {};

} // namespace

TEST_F(NamesAsText, AMessageBoxShowsAFileNameLetterForLetterWithoutLoadingWhatItNames)
{
    InFolder here(m_dir.Path());
    ASSERT_TRUE(Start());
    SetMessageBoxHook(nullptr);  // the real box
    for (const std::string& name : kMarkupPaths) {
        std::string path = (m_dir.Path() / name).string();  // no such file: the message names it
        auto seen = std::make_shared<std::vector<LabelSeen>>();
        auto format = std::make_shared<Qt::TextFormat>(Qt::AutoText);
        AnswerModalLater([seen, format](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            *format = box->textFormat();
            *seen = LabelsOf(box);
            box->accept();
        });
        m_openAnswers.push_back(path);
        Frame()->SendCommand(ID_FILE_OPEN);
        EXPECT_EQ(*format, Qt::PlainText) << name;
        bool named = false;
        for (const LabelSeen& label : *seen) {
            EXPECT_TRUE(label.plain) << label.text;
            named = named || label.text.find(name) != std::string::npos;
        }
        EXPECT_TRUE(named) << name << " shown as typed";
    }
}

TEST_F(NamesAsText, TheCaptionShowsTheFileNameAsItIs)
{
    for (const std::string& name : kMarkupFileNames) {
        std::string path = m_dir.Write(name, MapText({{"<i>Vel</i>", 1, 1, "VH"}}));
        ASSERT_TRUE(Start({path})) << name << (m_messages.empty() ? "" : ": " + m_messages.back());
        EXPECT_EQ(Frame()->GetWindowText(), name + " - Kestrin");
        EXPECT_TRUE(m_messages.empty()) << m_messages.front();
        Exit();
    }
}

TEST_F(NamesAsText, ThePrintingStatusBoxAndTheDialogsShowPlainText)
{
    InFolder here(m_dir.Path());
    ASSERT_TRUE(Start());
    std::vector<std::string> lines{"Printing", "<b>bold</b>.dat", "on the", "<i>Vel</i>", "to /out/<img src=z>.pdf"};
    {
        CPrintStatusBox box(lines);
        const QDialog* shown = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
                shown = dialog;
        ASSERT_NE(shown, nullptr);
        std::vector<std::string> texts;
        for (const LabelSeen& label : LabelsOf(shown)) {
            EXPECT_TRUE(label.plain) << label.text;
            texts.push_back(label.text);
        }
        EXPECT_EQ(texts, lines);
    }

    // Every label of every dialog, whatever its template holds.
    SetDialogHook(nullptr);
    for (UINT command : {UINT(ID_APP_ABOUT), UINT(ID_CENTER_ON)}) {
        auto seen = std::make_shared<std::vector<LabelSeen>>();
        AnswerModalLater([seen](QWidget* modal) {
            *seen = LabelsOf(modal);
            static_cast<QDialog*>(modal)->reject();
        });
        if (command == ID_CENTER_ON) {
            m_openAnswers.push_back(m_dir.Write("m.dat", MapText({{"<i>Vel</i>", 1, 1, "VH"}})));
            ASSERT_TRUE(Frame()->SendCommand(ID_FILE_OPEN));
        }
        Frame()->SendCommand(command);
        EXPECT_FALSE(seen->empty()) << command;
        for (const LabelSeen& label : *seen)
            EXPECT_TRUE(label.plain) << label.text;
    }
}
