// SPDX-License-Identifier: MIT
#include "platform/framework/ToolBar.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/ResourceRegistry.h"
#include "platform/framework/qt/IconRaster.h"
#include "platform/framework/qt/ToolBarImpl.h"
#include "platform/framework/qt/WndImpl.h"

#include <QAction>
#include <QImage>
#include <QPixmap>

#include <map>

namespace {

// Cuts one button's picture out of the strip; unknown letters are clear.
QIcon ButtonIcon(const CToolBarDef& def, int index)
{
    std::map<char, QRgb> colours;
    for (const auto& [letter, colour] : def.palette)
        colours[letter] = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    QImage image(def.buttonWidth, def.buttonHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < def.buttonHeight && y < static_cast<int>(def.strip.size()); ++y) {
        const std::string& row = def.strip[y];
        for (int x = 0; x < def.buttonWidth; ++x) {
            size_t at = static_cast<size_t>(index * def.buttonWidth + x);
            if (at >= row.size())
                break;
            auto c = colours.find(row[at]);
            // The strip's grey background shows the toolbar through it.
            if (c != colours.end() && row[at] != '.')
                image.setPixel(x, y, c->second);
        }
    }
    QIcon icon(QPixmap::fromImage(image));
    if (index < static_cast<int>(def.svgs.size()))
        AddSvgDensities(icon, def.svgs[index], image.size());
    return icon;
}

} // namespace

CToolBar::CToolBar() : m_impl(std::make_unique<CToolBarImpl>()) {}

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CFrameWnd* parent, UINT style, UINT id)
{
    QMainWindow* main = MainWindowOf(parent);
    if (!main)
        return FALSE;
    m_impl->frame = parent;
    m_impl->bar = new QToolBar(QStringLiteral("Toolbar"), main);
    m_impl->bar->setObjectName(QStringLiteral("toolbar%1").arg(id));
    m_impl->bar->setVisible((style & WS_VISIBLE) != 0);
    m_style = style;
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT)
{
    const CToolBarDef* def = AfxGetResources().toolbar;
    if (!def || !m_impl->bar)
        return FALSE;
    m_impl->bar->setIconSize(QSize(def->buttonWidth, def->buttonHeight));
    int image = 0;
    for (int id : def->items) {
        if (id == 0) {
            m_impl->bar->addSeparator();
            continue;
        }
        QAction* action = ActionOf(m_impl->frame, static_cast<unsigned>(id));
        action->setIcon(ButtonIcon(*def, image++));
        std::string s = AfxLoadString(id);
        size_t nl = s.find('\n');
        action->setToolTip(QString::fromStdString(nl == std::string::npos ? std::string() : s.substr(nl + 1)));
        m_impl->bar->addAction(action);
    }
    return TRUE;
}
