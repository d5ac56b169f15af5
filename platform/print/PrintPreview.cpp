#include "platform/print/PrintPreview.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinAppBase.h"
#include "platform/framework/qt/ToolBarImpl.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/View.h"
#include "platform/print/qt/PrintDevice.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/qt/ImageData.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <map>

namespace {

constexpr int kGap = 12;  // pixels around and between the pages
constexpr int kZoomFactors[] = {1, 2, 4};
constexpr const char* kPagesEntry = "PreviewPages";
constexpr const char* kSettingsSection = "Settings";

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

// The page area: grey, with each shown page as white paper holding its
// printable area, at a scale that fits the window times the zoom factor.
class PreviewPages : public QWidget {
public:
    PreviewPages(CPreviewView* preview, QScrollArea* area) : QWidget(area), m_preview(preview), m_area(area)
    {
        setFocusPolicy(Qt::StrongFocus);
    }

    void SetGeometryOfPages(const CPageGeometry& g) { m_geometry = g; }
    void Relayout()
    {
        QSize view = m_area->viewport()->size();
        int dpi = Dpi();
        QSize pages(Slots() * PaperPixels(dpi).width() + (Slots() + 1) * kGap, PaperPixels(dpi).height() + 2 * kGap);
        resize(pages.expandedTo(view));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        int dpi = Dpi();
        QSize paper = PaperPixels(dpi);
        int total = Slots() * paper.width() + (Slots() - 1) * kGap;
        int x = std::max(kGap, (width() - total) / 2);
        for (int i = 0; i < Slots(); ++i, x += paper.width() + kGap) {
            UINT page = m_preview->GetCurrentPage() + static_cast<UINT>(i);
            const CImage& picture = Picture(page, dpi);
            if (picture.IsNull())
                continue;  // no such page: nothing to show
            QRect sheet(x, kGap, paper.width(), paper.height());
            p.fillRect(sheet.translated(3, 3), Qt::black);
            p.fillRect(sheet, Qt::white);
            QPointF at = QPointF(sheet.topLeft()) + m_geometry.printable.topLeft() * dpi;
            p.drawImage(at, picture.Data()->image);
            p.setPen(Qt::black);
            p.drawRect(sheet.adjusted(0, 0, -1, -1));
        }
    }
    void resizeEvent(QResizeEvent*) override { update(); }

private:
    int Slots() const { return m_preview->GetZoom() == 0 ? m_preview->GetPageCount() : 1; }
    QSize PaperPixels(int dpi) const
    {
        return QSize(static_cast<int>(std::lround(m_geometry.paper.width() * dpi)),
                     static_cast<int>(std::lround(m_geometry.paper.height() * dpi)));
    }
    // Pixels per inch: the pages fit the window, times the zoom factor.
    int Dpi() const
    {
        QSize view = m_area->viewport()->size();
        int n = Slots();
        double w = std::max(1.0, m_geometry.paper.width()), h = std::max(1.0, m_geometry.paper.height());
        double fit = std::min((view.width() - (n + 1) * kGap) / (n * w), (view.height() - 2 * kGap) / h);
        return std::max(1, static_cast<int>(fit * kZoomFactors[m_preview->GetZoom()]));
    }
    const CImage& Picture(UINT page, int dpi)
    {
        if (dpi != m_cachedDpi) {
            m_cache.clear();
            m_cachedDpi = dpi;
        }
        auto it = m_cache.find(page);
        if (it == m_cache.end())
            it = m_cache.emplace(page, m_preview->RenderPage(page, dpi)).first;
        return it->second;
    }

    CPreviewView* m_preview;
    QScrollArea* m_area;
    CPageGeometry m_geometry;
    std::map<UINT, CImage> m_cache;
    int m_cachedDpi = 0;
};

// Lays the pages out again whenever the window's size changes.
class PreviewArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    PreviewPages* pages = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QScrollArea::resizeEvent(e);
        if (pages)
            pages->Relayout();
    }
};

struct CPreviewUi {
    QPointer<QWidget> root;
    QPointer<QLabel> indicator;
    QPointer<PreviewPages> pages;
    QPointer<QWidget> host;  // the printing view's widget, set aside
    std::vector<QPointer<QToolBar>> hiddenBars;
    bool menuWasVisible = true;
    std::map<UINT, QAction*> actions;

    ~CPreviewUi() { delete root.data(); }

    // The bar of buttons, each bound to its command in the frame, over
    // the scrollable page area.
    void Build(CPreviewView* preview, CFrameWnd* frame, QMainWindow* main, const CPageGeometry& geometry)
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

    // Puts the preview in the frame: the view is set aside, still owned by
    // the main window, and the menu bar and visible toolbars are hidden.
    void TakeFrame(QMainWindow* main)
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
};

CPreviewView::CPreviewView(CView* printView, std::unique_ptr<CPrintInfo> info)
    : m_printView(printView), m_frame(printView->GetParentFrame()), m_info(std::move(info)),
      m_ui(std::make_unique<CPreviewUi>())
{
    SetDocument(printView->GetDocument());
    OnCommandId(kClose, [this] { OnClose(); });
    OnCommandId(kNumPage, [this] { OnNumPage(); });
    OnCommandId(kNext, [this] { Step(1); });
    OnCommandId(kPrev, [this] { Step(-1); });
    OnCommandId(kPrint, [this] { OnPreviewPrint(); });
    OnCommandId(kZoomIn, [this] { Zoom(1); });
    OnCommandId(kZoomOut, [this] { Zoom(-1); });
    OnUpdateId(kNext, [this](CCmdUI* ui) { ui->Enable(PagePrints(m_nCurrentPage + ShownPages())); });
    OnUpdateId(kPrev, [this](CCmdUI* ui) { ui->Enable(m_nCurrentPage > 1); });
    OnUpdateId(kNumPage, [this](CCmdUI* ui) { ui->Enable(m_zoom == 0); });
    OnUpdateId(kZoomIn, [this](CCmdUI* ui) { ui->Enable(m_zoom < kMaxZoom); });
    OnUpdateId(kZoomOut, [this](CCmdUI* ui) { ui->Enable(m_zoom > 0); });
    // No preview of the preview, and no printing from it but its own button.
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        OnUpdateId(id, [](CCmdUI* ui) { ui->Enable(FALSE); });
    CWinAppBase* app = CWinAppBase::Get();
    m_nPages = app && app->GetProfileInt(kSettingsSection, kPagesEntry, 0) == 2 ? 2 : 1;
}

CPreviewView::~CPreviewView() = default;

bool CPreviewView::Open()
{
    QMainWindow* main = m_frame ? MainWindowOf(m_frame) : nullptr;
    if (!main || !m_info->m_printer)
        return false;
    m_ui->Build(this, m_frame, main, PageGeometryOf(*m_info->m_printer));
    m_ui->TakeFrame(main);
    m_savedAccelerators = m_frame->Accelerators();
    m_frame->SetAccelerators({{VK_NEXT, false, static_cast<int>(kNext)},
                              {VK_PRIOR, false, static_cast<int>(kPrev)},
                              {VK_ESCAPE, false, static_cast<int>(kClose)}});
    m_savedActiveView = m_frame->GetActiveView();
    m_frame->SetActiveView(this);
    m_open = true;
    CDC dc;
    dc.SetPrinting(true);
    m_printView->OnBeginPrinting(&dc, m_info.get());
    Refresh();
    m_ui->pages->setFocus();
    return true;
}

void CPreviewView::Restore()
{
    if (!m_open)
        return;
    m_open = false;
    QMainWindow* main = MainWindowOf(m_frame);
    main->takeCentralWidget();
    if (m_ui->host) {
        main->setCentralWidget(m_ui->host);
        m_ui->host->show();
    }
    main->menuBar()->setVisible(m_ui->menuWasVisible);
    for (auto& tb : m_ui->hiddenBars) {
        if (tb)
            tb->show();
    }
    m_frame->SetAccelerators(m_savedAccelerators);
    m_frame->SetActiveView(m_savedActiveView);
    // The preview's buttons go with it.
    CWndImpl* impl = m_frame->Impl();
    for (auto& [id, action] : m_ui->actions) {
        impl->actions.erase(id);
        delete action;
    }
    m_ui->actions.clear();
    m_ui->root->hide();
    CDC dc;
    dc.SetPrinting(true);
    m_printView->OnEndPrinting(&dc, m_info.get());
}

void CPreviewView::OnClose()
{
    Restore();
    m_printView->EndPreview();
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* frame = m_frame;
    OnClose();
    frame->SendCommand(ID_FILE_PRINT);
}

void CPreviewView::OnNumPage()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    if (CWinAppBase* app = CWinAppBase::Get())
        app->WriteProfileInt(kSettingsSection, kPagesEntry, m_nPages);
    Refresh();
}

void CPreviewView::Step(int pages)
{
    if (pages < 0 && m_nCurrentPage <= 1)
        return;
    if (pages > 0 && !PagePrints(m_nCurrentPage + static_cast<UINT>(ShownPages())))
        return;
    m_nCurrentPage = pages > 0 ? m_nCurrentPage + 1 : m_nCurrentPage - 1;
    Refresh();
}

void CPreviewView::Zoom(int step)
{
    m_zoom = std::clamp(m_zoom + step, 0, kMaxZoom);
    Refresh();
}

void CPreviewView::Refresh()
{
    if (m_ui->actions.count(kNumPage))
        SetButtonText(m_ui->actions[kNumPage], m_nPages == 1 ? "&Two Page" : "&One Page");
    if (m_ui->indicator)
        m_ui->indicator->setText(QString::fromStdString(PageIndicator()));
    if (m_ui->pages)
        m_ui->pages->Relayout();
    m_frame->UpdateCommandUI();
}

std::string CPreviewView::PageIndicator() const
{
    char text[48];
    if (ShownPages() == 2 && const_cast<CPreviewView*>(this)->PagePrints(m_nCurrentPage + 1))
        std::snprintf(text, sizeof text, "Pages %u-%u", m_nCurrentPage, m_nCurrentPage + 1);
    else
        std::snprintf(text, sizeof text, "Page %u", m_nCurrentPage);
    return text;
}

bool CPreviewView::PagePrints(UINT page)
{
    if (page < m_info->GetMinPage() || page > m_info->GetMaxPage())
        return false;
    CDC dc;
    dc.SetPrinting(true);
    m_info->m_nCurPage = page;
    m_printView->OnPrepareDC(&dc, m_info.get());
    return m_info->m_bContinuePrinting != FALSE;
}

CImage CPreviewView::RenderPage(UINT page, int dpi)
{
    if (!PagePrints(page))
        return CImage();
    QRectF area = PageGeometryOf(*m_info->m_printer).printable;
    CImage image(std::max(1, static_cast<int>(std::lround(area.width() * dpi))),
                 std::max(1, static_cast<int>(std::lround(area.height() * dpi))), RGB(255, 255, 255));
    image.SetDpi(dpi, dpi);
    CDC dc;
    dc.AttachImage(image);
    dc.SetPrinting(true);
    m_info->m_nCurPage = page;
    m_printView->OnPrepareDC(&dc, m_info.get());
    m_info->m_rectDraw = CRect(0, 0, image.Width(), image.Height());
    m_printView->OnPrint(&dc, m_info.get());
    dc.Detach();
    return image;
}
