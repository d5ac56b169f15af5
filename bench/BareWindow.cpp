// SPDX-License-Identifier: MIT
// The anchor of the window benchmarks: a bare Qt window of the size of
// Kestrin's main window, titled "Kestrin bench bare window", that paints a
// white mark on black at its centre and moves the mark on every key press.
// Its window becoming visible and its key-to-repaint are what the toolkit
// and the display server cost before any work of Kestrin's own.

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setWindowTitle("Kestrin bench bare window");
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(900, 700);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        // Inside the central half of the window, where the probe looks.
        int side = 40 + 20 * (m_keys % 4);
        p.fillRect(width() / 2 - side / 2, height() / 2 - side / 2, side, side, Qt::white);
    }
    void keyPressEvent(QKeyEvent*) override
    {
        ++m_keys;
        update();
    }

private:
    int m_keys = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.show();
    return app.exec();
}
