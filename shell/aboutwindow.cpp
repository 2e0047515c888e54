#include "shell/aboutwindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "base/fonts.h"
#include "base/resources.h"
#include "shell/app.h"

void aboutWindow::createControls() {
    setWindowTitle(QStringLiteral("About \"Zorvik\""));
    // A dialog: a window manager keeps only a dialog above the window it is transient for.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setContentSize(400, 300);
    setFixedSize(size());

    versionStatic = new QLabel(QStringLiteral("1.0.0"), content());
    versionStatic->setObjectName(QStringLiteral("versionStatic"));
    versionStatic->setGeometry(12, 109, 100, 20);
    versionStatic->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    versionStatic->setFont(fonts::system());
    QPalette pal = versionStatic->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    versionStatic->setPalette(pal);
    versionStatic_Open();
}

void aboutWindow::versionStatic_Open() { versionStatic->setText(App()->LongVersion()); }

void aboutWindow::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::SmoothPixmapTransform);  // the twice-size picture on a 1.5x screen
    if (const auto backdrop = zorvikaboutbox())
        g.drawPixmap(QRect(0, 0, 400, 300), *backdrop);
    else
        g.fillRect(rect(), Qt::white);
}

void aboutWindow::mousePressEvent(QMouseEvent* e) {
    e->accept();
    fw::HandlerScope scope;
    Close();
}

void aboutWindow::keyPressEvent(QKeyEvent* e) {
    // The keys that dismiss a box close it as a press does.
    switch (e->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: {
            e->accept();
            fw::HandlerScope scope;
            Close();
            return;
        }
        default:
            fw::Window::keyPressEvent(e);
    }
}
