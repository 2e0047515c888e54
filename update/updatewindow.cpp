#include "update/updatewindow.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "base/fonts.h"
#include "fw/placement.h"
#include "update/hp.h"
#include "update/updatesite.h"

void updateWindow::createControls() {
    // A dialog: a window manager keeps only a dialog above the window it is transient for.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Update"));
    setContentSize(300, 120);
    content()->setMinimumSize(64, 64);
    setMinimumSize(64, 64);
    setMaximumSize(32000, 32000);

    StaticText1 = new QLabel(QStringLiteral("Checking for updates..."), content());
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(20, 19, 266, 20);
    StaticText1->setFont(fonts::system());
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ProgressBar1 = new QProgressBar(content());
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(20, 46, 260, 12);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    hp = new ::hp(this);
    // An exchange's events never reach a closed window: it may still exist while handlers return.
    connect(
        hp, &::hp::PageReceived, this,
        [this](const QString& url, int status, const fw::InternetHeaders& headers, const QString& content) {
            if (!isClosed()) hp_PageReceived(url, status, headers, content);
        });
    connect(hp, &::hp::Error, this, [this](int code) {
        if (!isClosed()) hp_Error(code);
    });

    PushButton1 = new fw::PushButton(QStringLiteral("Cancel"), content());
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(208, 80, 72, 20);
    PushButton1->setFont(fonts::system());
    PushButton1->action = [this] { PushButton1_Action(); };
    setDefaultButton(PushButton1);
    setCancelButton(PushButton1);
}

void updateWindow::Open() {
    ProgressBar1->setMaximum(0);  // a range of 0..0 makes the bar a busy bar
    hp->Get(updateURL());
}

void updateWindow::PushButton1_Action() { Close(); }

// The window it comes up over (the main window, the new-game dialog, the menu holder), so that it
// does not go behind that one.
QWidget* updateWindow::standsOver() { return fw::actingWindow(this); }

void updateWindow::ShowModal() {
    if (inModalLoop()) return;  // asked again while up: the running call owns the window
    QPointer<updateWindow> self(this);
    fw::Window::ShowModal();
    // Only quitting ends the modal loop with the window still open.
    if (self && !self->isClosed()) self->Close();
}

// Cancel, the close box and quitting all close the window, shown or not: the exchange ends at once.
void updateWindow::closing() { hp->Abort(); }
