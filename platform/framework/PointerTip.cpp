// SPDX-License-Identifier: MIT
#include "platform/framework/PointerTip.h"

#include "platform/framework/Wnd.h"
#include "platform/framework/qt/WndImpl.h"

#include <QStringList>
#include <QToolTip>

namespace {

// The tooltip guesses whether a text is markup; a name such as "<b>Vel"
// must show as typed, so the text goes out as markup that says exactly it.
QString PlainMarkup(const std::string& text)
{
    QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.toHtmlEscaped();
    return QStringLiteral("<p style='white-space:pre'>") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

} // namespace

void SetPointerTip(CWnd& wnd, const std::string& text)
{
    CWndImpl* impl = wnd.Impl();
    if (impl->pointerTip == text)
        return;
    if (IsPointerTipShown(wnd))
        QToolTip::hideText();
    impl->tipShown = false;
    impl->pointerTip = text;
}

std::string GetPointerTip(const CWnd& wnd)
{
    return wnd.Impl()->pointerTip;
}

bool IsPointerTipShown(const CWnd& wnd)
{
    return wnd.Impl()->tipShown && QToolTip::isVisible();
}

bool ShowPointerTip(CWnd& wnd, const QPoint& global, QWidget* over)
{
    CWndImpl* impl = wnd.Impl();
    if (impl->pointerTip.empty()) {
        if (IsPointerTipShown(wnd))
            QToolTip::hideText();
        impl->tipShown = false;
        return false;
    }
    QToolTip::showText(global, PlainMarkup(impl->pointerTip), over);
    impl->tipShown = true;
    return true;
}
