// SPDX-License-Identifier: MIT
#include "platform/print/qt/PreviewUi.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/qt/ToolBarImpl.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintPreview.h"
#include "platform/print/qt/PreviewArea.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ButtonDef {
    UINT id;
    const char* text;
};
constexpr ButtonDef kButtons[] = {
    {CPreviewView::kPrint, "&Print..."},    {CPreviewView::kNext, "&Next Page"},
    {CPreviewView::kPrev, "Pre&v Page"},    {CPreviewView::kNumPage, "&Two Page"},
    {CPreviewView::kZoomIn, "Zoom &In"},    {CPreviewView::kZoomOut, "Zoom &Out"},
    {CPreviewView::kClose, "&Close"},
};

// A button's text as the bar shows it, mnemonic and all: a tool button
// shows its action's icon text, which Qt would otherwise derive from the
// text without the "&" and the "...".
void SetButtonText(QAction* action, const char* text)
{
    QString s = QString::fromLatin1(text);
    action->setText(s);
    action->setIconText(s);
}

} // namespace

CPreviewUi::~CPreviewUi()
{
    delete root.data();
}

void CPreviewUi::Build(CPreviewView* preview, CFrameWnd* frame, QMainWindow* main, const CPageGeometry& geometry)
{
    root = new QWidget(main);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bar = new QWidget(root);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    for (const ButtonDef& def : kButtons) {
        QAction* action = ActionOf(frame, def.id);
        SetButtonText(action, def.text);
        actions[def.id] = action;
        auto* button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(button);
    }
    indicator = new QLabel(bar);
    indicator->setTextFormat(Qt::PlainText);
    row->addWidget(indicator);
    row->addStretch(1);
    column->addWidget(bar);
    auto* area = new PreviewArea(root);
    area->setAlignment(Qt::AlignCenter);
    pages = new PreviewPages(preview, area);
    pages->SetGeometryOfPages(geometry);
    area->pages = pages;
    area->setWidget(pages);
    column->addWidget(area, 1);
}

void CPreviewUi::TakeFrame(QMainWindow* main)
{
    host = main->takeCentralWidget();
    if (host) {
        host->setParent(main);
        host->hide();
    }
    menuWasVisible = !main->menuBar()->isHidden();
    main->menuBar()->hide();
    for (QToolBar* tb : main->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (!tb->isHidden()) {
            hiddenBars.emplace_back(tb);
            tb->hide();
        }
    }
    main->setCentralWidget(root);
}

void CPreviewUi::GiveBackFrame(CFrameWnd* frame, QMainWindow* main)
{
    main->takeCentralWidget();
    if (host) {
        main->setCentralWidget(host);
        host->show();
    }
    main->menuBar()->setVisible(menuWasVisible);
    for (auto& tb : hiddenBars) {
        if (tb)
            tb->show();
    }
    // The preview's buttons go with it.
    CWndImpl* impl = frame->Impl();
    for (auto& [id, action] : actions) {
        impl->actions.erase(id);
        delete action;
    }
    actions.clear();
    root->hide();
}

void CPreviewUi::ShowPageCount(int pages)
{
    if (actions.count(CPreviewView::kNumPage))
        SetButtonText(actions[CPreviewView::kNumPage], pages == 1 ? "&Two Page" : "&One Page");
}

void CPreviewUi::ShowIndicator(const std::string& text)
{
    if (indicator)
        indicator->setText(QString::fromStdString(text));
}
