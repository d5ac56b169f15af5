// SPDX-License-Identifier: MIT
#include "platform/framework/FrameWnd.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/Document.h"
#include "platform/framework/PointerTip.h"
#include "platform/framework/ResourceRegistry.h"
#include "platform/framework/ToolBar.h"
#include "platform/framework/ViewBase.h"
#include "platform/framework/WinAppBase.h"
#include "platform/framework/qt/AcceleratorFilter.h"
#include "platform/framework/qt/FrameWindow.h"
#include "platform/framework/qt/IconRaster.h"
#include "platform/framework/qt/PlainText.h"
#include "platform/framework/qt/ToolBarImpl.h"
#include "platform/framework/qt/WndImpl.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QWindow>

namespace {

// The sizes a desktop asks for, from the title bar to the task switcher.
QIcon WindowIcon(const CIconDef& def)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image = SvgImage(def.svg, QSize(size, size));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QMainWindow* MainWindowOf(CFrameWnd* frame)
{
    return static_cast<QMainWindow*>(frame->Impl()->widget.data());
}

QAction* ActionOf(CFrameWnd* frame, unsigned id)
{
    CWndImpl* impl = frame->Impl();
    auto it = impl->actions.find(id);
    if (it != impl->actions.end())
        return it->second;
    auto* action = new QAction(impl->widget);
    action->setIconVisibleInMenu(false);
    QObject::connect(action, &QAction::triggered, action, [frame, id] { frame->SendCommand(id); });
    impl->actions[id] = action;
    return action;
}

CFrameWnd::CFrameWnd()
{
    OnCommandId(ID_VIEW_TOOLBAR, [this] { OnViewToolbar(); });
    OnUpdateId(ID_VIEW_TOOLBAR, [this](CCmdUI* ui) {
        ui->Enable(m_pToolBar != nullptr);
        ui->SetCheck(m_pToolBar && IsControlBarVisible(m_pToolBar));
    });
}

CFrameWnd::~CFrameWnd() = default;

static void BuildMenu(CFrameWnd* frame, CWndImpl* impl, QMenu* menu, const std::vector<CMenuItemDef>& items)
{
    for (const CMenuItemDef& item : items) {
        if (item.kind == CMenuItemDef::Separator) {
            menu->addSeparator();
        } else if (item.kind == CMenuItemDef::Popup) {
            QMenu* sub = menu->addMenu(QString::fromStdString(item.text));
            impl->menus.push_back(sub);
            QObject::connect(sub, &QMenu::aboutToShow, sub, [frame] { frame->UpdateCommandUI(); });
            BuildMenu(frame, impl, sub, item.children);
        } else if (item.id == ID_FILE_MRU_FILE1 && item.grayed) {
            // The placeholder stands where the recent files go.
            impl->fileMenu = menu;
            impl->recentAnchor = menu->addAction(QString::fromStdString(item.text));
            impl->recentAnchor->setEnabled(false);
        } else {
            QAction* action = ActionOf(frame, static_cast<unsigned>(item.id));
            action->setText(QString::fromStdString(item.text));
            menu->addAction(action);
        }
    }
}

bool CFrameWnd::Create()
{
    auto* window = new FrameWindow(this);
    m_impl->widget = window;
    m_impl->ownsWidget = true;
    if (!PreCreateWindow())
        return false;
    const CResourceSet& res = AfxGetResources();
    if (res.icon)
        window->setWindowIcon(WindowIcon(*res.icon));
    if (res.menu) {
        for (const CMenuItemDef& popup : *res.menu) {
            QMenu* menu = window->menuBar()->addMenu(QString::fromStdString(popup.text));
            m_impl->menus.push_back(menu);
            QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { UpdateCommandUI(); });
            BuildMenu(this, m_impl.get(), menu, popup.children);
        }
    }
    if (res.accelerators)
        m_accelerators = *res.accelerators;
    new AcceleratorFilter(this, window);
    window->resize(900, 700);
    return OnCreate() != -1;
}

int CFrameWnd::OnCreate()
{
    return 0;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::UpdateFrameTitle()
{
    CDocument* doc = GetActiveDocument();
    std::string app = CWinAppBase::Get() ? CWinAppBase::Get()->m_pszAppName : std::string("Kestrin");
    std::string title = doc ? doc->GetTitle() + " - " + app : app;
    if (m_impl->widget)
        m_impl->widget->setWindowTitle(LiteralWindowTitle(QString::fromLocal8Bit(title.c_str())));
}

std::string CFrameWnd::GetWindowText() const
{
    if (!m_impl->widget)
        return std::string();
    // The title as the window shows it.
    QWindow* window = m_impl->widget->windowHandle();
    QString shown = window ? window->title() : m_impl->widget->windowTitle();
    return shown.toLocal8Bit().toStdString();
}

void CFrameWnd::QueryCommand(CCmdUI* ui)
{
    CCmdTarget* targets[] = {m_pActiveView, GetActiveDocument(), this, CWinAppBase::Get()};
    for (CCmdTarget* target : targets) {
        if (target && target->OnUpdateCommand(ui))
            return;
    }
    ui->Enable(FALSE);
}

bool CFrameWnd::IsCommandEnabled(UINT id)
{
    CCmdUI ui(id);
    QueryCommand(&ui);
    return ui.m_enabled;
}

bool CFrameWnd::IsCommandChecked(UINT id)
{
    auto it = m_impl->actions.find(id);
    return it != m_impl->actions.end() && it->second->isChecked();
}

bool CFrameWnd::SendCommand(UINT id)
{
    // A disabled command does nothing, whichever way it arrives.
    if (!IsCommandEnabled(id))
        return false;
    // Whatever the command does, a tip about the place under the pointer
    // may no longer be true.
    if (m_pActiveView)
        SetPointerTip(*m_pActiveView, std::string());
    CCmdTarget* targets[] = {m_pActiveView, GetActiveDocument(), this, CWinAppBase::Get()};
    bool handled = false;
    for (CCmdTarget* target : targets) {
        if (target && target->OnCommand(id)) {
            handled = true;
            break;
        }
    }
    if (CWinAppBase::Get())
        CWinAppBase::Get()->OnIdle();
    return handled;
}

void CFrameWnd::UpdateCommandUI()
{
    for (auto& [id, action] : m_impl->actions) {
        CCmdUI ui(id);
        QueryCommand(&ui);
        action->setEnabled(ui.m_enabled);
        if (ui.m_checkSet) {
            action->setCheckable(true);
            action->setChecked(ui.m_checked);
        }
    }
}

void CFrameWnd::EnableDocking(UINT) {}

void CFrameWnd::DockControlBar(CToolBar* bar)
{
    m_pToolBar = bar;
    QToolBar* qbar = bar->Impl()->bar;
    if (!qbar)
        return;
    if (bar->GetDocking() & CBRS_ALIGN_ANY) {
        qbar->setAllowedAreas(Qt::AllToolBarAreas);
        qbar->setMovable(true);
        qbar->setFloatable(true);
    }
    MainWindowOf(this)->addToolBar(Qt::TopToolBarArea, qbar);
}

void CFrameWnd::ShowControlBar(CToolBar* bar, BOOL show)
{
    if (bar && bar->Impl()->bar)
        bar->Impl()->bar->setVisible(show != FALSE);
}

bool CFrameWnd::IsControlBarVisible(CToolBar* bar) const
{
    return bar && bar->Impl()->bar && !bar->Impl()->bar->isHidden();
}

void CFrameWnd::OnViewToolbar()
{
    ShowControlBar(m_pToolBar, !IsControlBarVisible(m_pToolBar));
}

void CFrameWnd::SetRecentFileMenu(const std::vector<std::string>& entries)
{
    QMenu* menu = m_impl->fileMenu;
    if (!menu || !m_impl->recentAnchor)
        return;
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
        auto it = m_impl->actions.find(static_cast<UINT>(id));
        if (it != m_impl->actions.end()) {
            menu->removeAction(it->second);
            // The action may be the one whose trigger is running now.
            it->second->deleteLater();
            m_impl->actions.erase(it);
        }
    }
    m_impl->recentAnchor->setVisible(entries.empty());
    for (size_t i = 0; i < entries.size(); ++i) {
        QAction* action = ActionOf(this, static_cast<UINT>(ID_FILE_MRU_FILE1 + i));
        action->setText(QString::fromLocal8Bit(entries[i].c_str()));
        menu->insertAction(m_impl->recentAnchor, action);
    }
}

std::vector<std::string> CFrameWnd::GetMenuTexts(int topLevelIndex) const
{
    std::vector<std::string> texts;
    if (topLevelIndex < 0 || topLevelIndex >= static_cast<int>(m_impl->menus.size()))
        return texts;
    QMenuBar* bar = MainWindowOf(const_cast<CFrameWnd*>(this))->menuBar();
    QList<QAction*> tops = bar->actions();
    if (topLevelIndex >= tops.size() || !tops[topLevelIndex]->menu())
        return texts;
    for (QAction* a : tops[topLevelIndex]->menu()->actions()) {
        if (!a->isVisible())
            continue;
        texts.push_back(a->isSeparator() ? std::string("-") : a->text().toLocal8Bit().toStdString());
    }
    return texts;
}

void CFrameWnd::SetEnabled(bool enabled)
{
    if (m_impl->widget)
        m_impl->widget->setEnabled(enabled);
}

void CFrameWnd::Close()
{
    if (m_impl->widget)
        m_impl->widget->close();
}
