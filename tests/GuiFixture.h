// SPDX-License-Identifier: MIT
#pragma once

// Drives the real application offscreen: a CKestrinApp started with given
// arguments, a settings folder of its own, and hooks that answer every
// message box, dialog and file dialog, recording what was asked. The print
// dialogs are answered too: a test that did not expect one fails at once
// instead of waiting on a window no one will close.

#include "app/KestrinApp.h"
#include "view/KestrinView.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/surface/Image.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QObject;
class QWidget;

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    ~GuiTest() override;

    // Starts the program as the command line would; false if it ended.
    bool Start(std::vector<std::string> args = {});
    // Runs the exit path (settings written) and destroys the program.
    void Exit();

    CFrameWnd* Frame() const { return m_app ? m_app->GetMainWnd() : nullptr; }
    CKestrinView* View() const;
    CStarMap* Map() const { return View()->Map(); }
    // Sets the view's client area to w x h pixels.
    void SetClientSize(int w, int h);
    // Repaints now and returns a copy of the back buffer.
    CImage Snapshot();

    // Mouse events on the view's client area, with the buttons held after.
    void Press(int button, CPoint p);
    void Move(CPoint p);
    void Release(int button, CPoint p);
    // A key press on the view, as a user would type it.
    void Key(int qtKey, int qtModifiers = 0);
    QWidget* Canvas() const;
    QAction* Action(UINT id) const;
    // Acts on the next modal window as a user would, once it is up. One
    // still open a few seconds later fails the test and is closed, so a
    // fault never leaves the test waiting.
    void AnswerModalLater(std::function<void(QWidget*)> how);

    TempDir m_dir;
    std::unique_ptr<CKestrinApp> m_app;
    std::vector<std::string> m_messages;
    std::vector<int> m_dialogs;
    std::deque<std::pair<int, std::string>> m_dialogAnswers;  // IDOK/IDCANCEL and the name typed
    std::deque<std::string> m_openAnswers;                    // files chosen in the Open dialog
    std::vector<std::string> m_shellOpened;
    int m_buttons = 0;

private:
    // Owns the timers of AnswerModalLater, so none outlives its test.
    std::unique_ptr<QObject> m_modalTimers;
};

// A map file with one planet per entry of name and file coordinates.
std::string MapText(const std::vector<std::tuple<std::string, int, int, std::string>>& planets);
