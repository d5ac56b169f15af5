// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "res/Register.h"

#include "platform/framework/Dialog.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/Shell.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintService.h"
#include "platform/surface/Image.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <cstdlib>
#include <sstream>

std::string MapText(const std::vector<std::tuple<std::string, int, int, std::string>>& planets)
{
    std::ostringstream out;
    for (const auto& [name, x, y, code] : planets)
        out << name << ' ' << x << ' ' << y << ' ' << code << '\n';
    return out.str();
}

GuiTest::GuiTest()
{
    ::setenv("XDG_CONFIG_HOME", (m_dir.Path() / "config").c_str(), 1);
    RegisterKestrinResources();
    SetScrollBarMetricForTesting(16);
    SetMessageBoxHook([this](const std::string& text, UINT) {
        m_messages.push_back(text);
        return IDOK;
    });
    SetDialogHook([this](int id, std::map<int, std::string>& texts) {
        m_dialogs.push_back(id);
        if (m_dialogAnswers.empty())
            return IDCANCEL;
        auto [result, text] = m_dialogAnswers.front();
        m_dialogAnswers.pop_front();
        for (auto& [field, value] : texts)
            value = text;
        return result;
    });
    SetFileDialogHook([this](std::string& path) {
        if (m_openAnswers.empty())
            return false;
        path = m_openAnswers.front();
        m_openAnswers.pop_front();
        return true;
    });
    SetShellOpenHook([this](const std::string& path) { m_shellOpened.push_back(path); });
    // No printer, and no print dialog a test did not ask for.
    SetPrinterLookupHook([](const std::string&) { return std::optional<CPrinterTarget>(); });
    SetPrintDialogHook([](CPrintDialogRequest&) {
        ADD_FAILURE() << "a print dialog this test did not expect";
        return IDCANCEL;
    });
    SetPrintToFileHook([](std::string&) {
        ADD_FAILURE() << "a Print to File dialog this test did not expect";
        return false;
    });
}

GuiTest::~GuiTest()
{
    Exit();
    SetMessageBoxHook(nullptr);
    SetDialogHook(nullptr);
    SetFileDialogHook(nullptr);
    SetShellOpenHook(nullptr);
    SetPrinterLookupHook(nullptr);
    SetPrintDialogHook(nullptr);
    SetPrintToFileHook(nullptr);
    SetScrollBarMetricForTesting(0);
}

bool GuiTest::Start(std::vector<std::string> args)
{
    m_app = std::make_unique<CKestrinApp>();
    m_app->m_args = std::move(args);
    bool ok = m_app->InitInstance();
    if (ok)
        SetClientSize(800, 600);
    return ok;
}

void GuiTest::Exit()
{
    if (!m_app)
        return;
    m_app->ExitInstance();
    m_app.reset();
    QApplication::processEvents();
}

void GuiTest::AnswerModalLater(std::function<void(QWidget*)> how)
{
    constexpr int kPatienceMs = 5000;
    struct Answer {
        QElapsedTimer since;
        bool acted = false;
        QPointer<QWidget> modal;
    };
    if (!m_modalTimers)
        m_modalTimers = std::make_unique<QObject>();
    auto* poll = new QTimer(m_modalTimers.get());
    auto state = std::make_shared<Answer>();
    state->since.start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, state, how] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!state->acted) {
            if (modal != nullptr && state->since.elapsed() >= 30) {
                state->acted = true;
                state->modal = modal;
                how(modal);
            } else if (modal == nullptr && state->since.elapsed() > kPatienceMs) {
                poll->deleteLater();  // none came; the test sees that itself
            }
            return;
        }
        if (state->modal.isNull() || !state->modal->isVisible()) {
            poll->deleteLater();
        } else if (state->since.elapsed() > kPatienceMs) {
            ADD_FAILURE() << "a modal window stayed open; closing it";
            state->modal->close();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

CKestrinView* GuiTest::View() const
{
    return Frame() ? static_cast<CKestrinView*>(Frame()->GetActiveView()) : nullptr;
}

QWidget* GuiTest::Canvas() const
{
    return View()->Impl()->canvas;
}

QAction* GuiTest::Action(UINT id) const
{
    auto& actions = Frame()->Impl()->actions;
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void GuiTest::SetClientSize(int w, int h)
{
    QWidget* window = Frame()->Impl()->widget;
    for (int attempt = 0; attempt < 4; ++attempt) {
        QApplication::processEvents();
        QSize now = Canvas()->size();
        if (now == QSize(w, h))
            return;
        window->resize(window->size() + QSize(w - now.width(), h - now.height()));
        QApplication::processEvents();
    }
}

CImage GuiTest::Snapshot()
{
    View()->RefreshBackBuffer();
    return View()->GetBackBuffer();
}

namespace {

Qt::MouseButton QtButton(int button)
{
    return button == MK_RBUTTON ? Qt::RightButton : Qt::LeftButton;
}

Qt::MouseButtons QtButtons(int buttons)
{
    Qt::MouseButtons b;
    if (buttons & MK_LBUTTON)
        b |= Qt::LeftButton;
    if (buttons & MK_RBUTTON)
        b |= Qt::RightButton;
    return b;
}

void SendMouse(QWidget* w, QEvent::Type type, CPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QPointF local(p.x, p.y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

void GuiTest::Press(int button, CPoint p)
{
    m_buttons |= button;
    SendMouse(Canvas(), QEvent::MouseButtonPress, p, QtButton(button), QtButtons(m_buttons));
}

void GuiTest::Move(CPoint p)
{
    SendMouse(Canvas(), QEvent::MouseMove, p, Qt::NoButton, QtButtons(m_buttons));
}

void GuiTest::Release(int button, CPoint p)
{
    m_buttons &= ~button;
    SendMouse(Canvas(), QEvent::MouseButtonRelease, p, QtButton(button), QtButtons(m_buttons));
}

void GuiTest::Key(int qtKey, int qtModifiers)
{
    auto mods = Qt::KeyboardModifiers(qtModifiers);
    QKeyEvent press(QEvent::KeyPress, qtKey, mods);
    QApplication::sendEvent(Canvas(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
    QApplication::sendEvent(Canvas(), &release);
}
