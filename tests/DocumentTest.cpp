// SPDX-License-Identifier: MIT
#include "model/KestrinDoc.h"
#include "platform/framework/MessageBox.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

class Document : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetMessageBoxHook([this](const std::string& text, UINT) {
            m_messages.push_back(text);
            return IDOK;
        });
        ASSERT_TRUE(m_doc.OnNewDocument());
    }
    void TearDown() override { SetMessageBoxHook(m_previous); }

    CKestrinDoc m_doc;
    TempDir m_dir;
    std::vector<std::string> m_messages;
    MessageBoxHook m_previous;
};

} // namespace

TEST_F(Document, NewDocumentHoldsAnEmptyMap)
{
    ASSERT_NE(m_doc.m_pMap, nullptr);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 0);
    EXPECT_EQ(m_doc.GetTitle(), "Untitled");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(Document, EachOpenGetsAFreshMapWithoutMeasureLines)
{
    std::string a = m_dir.Write("a.dat", "A 1 2 VH\n");
    std::string b = m_dir.Write("b.dat", "B 1 2 VH\nC 3 4 QT\n");
    ASSERT_EQ(m_doc.OpenDocumentFile(a), CDocument::OpenResult::Opened);
    m_doc.m_pMap->AddMeasureLine(0, 0, 100, 0, 5);
    ASSERT_EQ(m_doc.OpenDocumentFile(b), CDocument::OpenResult::Opened);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 2);
    EXPECT_EQ(m_doc.m_pMap->GetMeasureLineCount(), 0);
    EXPECT_EQ(m_doc.GetTitle(), "b.dat");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Document, PartialLoadShowsOneMessageAndKeepsThePlanets)
{
    std::string path = m_dir.Write("partial.dat", "A 1 2 VH\nB 3 4 QT\n\nC 5 6 E\n");
    EXPECT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::Opened);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Error loading data file");
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 2);
    EXPECT_EQ(m_doc.GetTitle(), "partial.dat");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(Document, TheSameFileIsNotReadAgain)
{
    std::string path = m_dir.Write("same.dat", "A 1 2 VH\n\n");
    ASSERT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::Opened);
    m_doc.m_pMap->AddMeasureLine(0, 0, 100, 0, 5);
    CStarMap* before = m_doc.m_pMap;
    m_dir.Write("same.dat", "A 1 2 VH\nB 3 4 QT\n");
    std::string other = (m_dir.Path() / "." / "same.dat").string();
    EXPECT_EQ(m_doc.OpenDocumentFile(other), CDocument::OpenResult::AlreadyOpen);
    EXPECT_EQ(m_doc.m_pMap, before);
    EXPECT_EQ(m_doc.m_pMap->GetMeasureLineCount(), 1);
    EXPECT_EQ(m_messages.size(), 1u);
    // A name differing in case is another file on this system.
    std::string upper = m_dir.Write("SAME.dat", "Z 1 2 VH\n");
    EXPECT_EQ(m_doc.OpenDocumentFile(upper), CDocument::OpenResult::Opened);
}

TEST_F(Document, FilesThatCannotBeOpenedLeaveTheDocumentAsItWas)
{
    std::string good = m_dir.Write("good.dat", "A 1 2 VH\n");
    ASSERT_EQ(m_doc.OpenDocumentFile(good), CDocument::OpenResult::Opened);
    m_doc.m_pMap->AddMeasureLine(0, 0, 100, 0, 5);
    CStarMap* before = m_doc.m_pMap;
    std::string fifo = (m_dir.Path() / "pipe.dat").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> bad = {(m_dir.Path() / "missing.dat").string(), m_dir.Path().string(), fifo};
    for (const std::string& path : bad) {
        m_messages.clear();
        EXPECT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::Failed) << path;
        EXPECT_EQ(m_messages.size(), 1u) << path;
        EXPECT_EQ(m_doc.m_pMap, before);
        EXPECT_EQ(m_doc.m_pMap->GetMeasureLineCount(), 1);
        EXPECT_EQ(m_doc.GetTitle(), "good.dat");
    }
    EXPECT_NE(m_messages.size(), 0u);
    m_messages.clear();
    m_doc.OpenDocumentFile(bad[0]);
    EXPECT_EQ(m_messages[0], bad[0] + "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
}

TEST_F(Document, ZeroLengthFileGivesAnEmptyMapWithoutMessage)
{
    std::string good = m_dir.Write("good.dat", "A 1 2 VH\n");
    ASSERT_EQ(m_doc.OpenDocumentFile(good), CDocument::OpenResult::Opened);
    std::string empty = m_dir.Write("empty.dat", "");
    EXPECT_EQ(m_doc.OpenDocumentFile(empty), CDocument::OpenResult::Opened);
    ASSERT_NE(m_doc.m_pMap, nullptr);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Document, StoringWritesNothingAndDeleteContentsFreesTheMap)
{
    CFile file;
    CArchive store(&file, CArchive::store);
    m_doc.Serialize(store);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 0);
    m_doc.DeleteContents();
    EXPECT_EQ(m_doc.m_pMap, nullptr);
}
