// Renders the README's pictures from the real windows, offscreen: the new-game dialog with a
// roster, the main window after a roll with a group set aside, the player list after a few
// turns, the update check's offer over the update window, and the help window with a found word
// selected and on a subtopic in an open folder. Usage: screenshots [folder]   (default docs;
// pictures at twice the size, for crispness)
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/dialogs.h"
#include "fw/menu.h"
#include "fw/prefs.h"
#include "fw/random.h"
#include "fw/sound.h"
#include "help/helpwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/gamewindow.h"
#include "shell/menu.h"
#include "shell/playerlistwindow.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

using namespace globalsModule;

namespace {
void settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

bool runUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200000 && !done(); ++i) QApplication::processEvents();
    return done();
}

void key(QWidget* w, int code, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

void clickDie(int i) {
    boardClass* table = gameWindow::get()->playingSurface;
    const QPointF at(dice(i).x + 32, dice(i).y + 32);
    QMouseEvent press(QEvent::MouseButtonPress, at, table->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      {});
    QApplication::sendEvent(table, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, table->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(table, &release);
}

// A person's turn: the rolls given, each followed by Space; then "." banks the turn.
void personTurn(std::initializer_list<std::initializer_list<int>> rolls) {
    gameWindow* w = gameWindow::get();
    for (const auto& faces : rolls) {
        for (int f : faces) boardClass::forcedFaces().push_back(f);
        key(w, Qt::Key_Return, QStringLiteral("\r"));
        key(w, Qt::Key_Space, QStringLiteral(" "));
    }
    key(w, Qt::Key_Period, QStringLiteral("."));
}

bool personOnTurn(const QString& name) {
    gameWindow* w = fw::Window::ifOpen<gameWindow>();
    return w && gPlayerList(gCurrentPlayer).name == name && w->personMayAct() && w->rollButton->isEnabled();
}

bool save(QWidget* w, const QString& path) {
    settle();
    if (w->grab().save(path)) {
        std::printf("wrote %s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return false;
}

// The update check against a version file served on the loopback address; the offer dialog is
// drawn over the window, a little down and to the right, as a person sees it.
bool saveUpdateOffer(const QString& path) {
    QTcpServer site;
    site.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&site, &QTcpServer::newConnection, [&site] {
        QTcpSocket* s = site.nextPendingConnection();
        const QByteArray body =
            "<Zorvik><CurrentVersion>1.1.0</CurrentVersion><Description>Two new computer players and a "
            "quicker "
            "dice "
            "table.</Description><Free>Yes</Free><DownloadURLOSX>https://www.zorvik.example/"
            "zorvik-1.1.0.tar.gz"
            "</DownloadURLOSX></Zorvik>";
        s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        s->disconnectFromHost();
    });
    setMakerSite(QStringLiteral("http://127.0.0.1:%1").arg(site.serverPort()));
    fw::setDialogResponder(nullptr);
    bool ok = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        updateWindow* w = fw::Window::ifOpen<updateWindow>();
        if (!box || !w) return;
        poll.stop();
        settle();
        const QPixmap under = w->grab(), over = box->grab();
        const qreal ratio = under.devicePixelRatio();
        const QSize underSize = (QSizeF(under.size()) / ratio).toSize(),
                    overSize = (QSizeF(over.size()) / ratio).toSize();
        constexpr int kMargin = 12, kTitle = 22;
        const QRect underAt(QPoint(kMargin, kMargin + kTitle), underSize);
        const QRect overAt(underAt.topLeft() + QPoint(60, 50 + kTitle), overSize);
        const QSize logical(std::max(underAt.right(), overAt.right()) + kMargin, overAt.bottom() + kMargin);
        QPixmap shot(logical * ratio);
        shot.setDevicePixelRatio(ratio);
        shot.fill(QColor(0xd8, 0xdc, 0xe0));
        QPainter g(&shot);
        // The offscreen platform draws no window frames: a plain title bar stands in for each.
        for (const auto& [rect, pixmap, title] :
             {std::tuple(underAt, under, w->windowTitle()), std::tuple(overAt, over, box->windowTitle())}) {
            const QRect bar(rect.left(), rect.top() - kTitle, rect.width(), kTitle);
            g.fillRect(bar, QColor(0x5a, 0x6a, 0x7c));
            g.setPen(Qt::white);
            g.drawText(bar, Qt::AlignCenter, title);
            g.drawPixmap(rect.topLeft(), pixmap);
            g.setPen(QColor(0x50, 0x50, 0x50));
            g.drawRect(bar.united(rect).adjusted(-1, -1, 0, 0));
        }
        g.end();
        ok = shot.save(path);
        std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
        box->reject();
    });
    poll.start(10);
    updateWindow::get()->ShowModal();
    setMakerSite(QString());
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    qputenv("NO_PROXY", "127.0.0.1,localhost");  // its version file is served on loopback
    qputenv("no_proxy", "127.0.0.1,localhost");
    QApplication qapp(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);
    QTemporaryDir prefs;  // never the user's roster
    fw::setPreferencesFolder(prefs.path());
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(true);
    fw::seedRandom(11);
    fw::setDialogResponder([](const fw::DialogRecord&) { return 0; });
    setUpApplication();
    init();

    gameSettingsWindow* d = gameSettingsWindow::get();
    d->Show();
    const QList<std::tuple<QString, QString, bool>> roster = {
        {QStringLiteral("Ann"), QStringLiteral("Human"), true},
        {QStringLiteral("Ben"), QStringLiteral("Human"), true},
        {QStringLiteral("Robo"), QStringLiteral("CPU: Clever"), true},
        {QStringLiteral("Max"), QStringLiteral("CPU: Evil"), false}};
    for (const auto& [name, kind, ticked] : roster) {
        d->playerKindPopup->setCurrentText(kind);
        d->nameField->setText(name);
        d->addButton->Push();
        if (!ticked)
            d->playerListBox->topLevelItem(d->playerListBox->topLevelItemCount() - 1)
                ->setCheckState(0, Qt::Unchecked);
    }
    d->playerListBox->setCurrentItem(d->playerListBox->topLevelItem(2), 2);
    d->roundSizePopup->setCurrentText(QStringLiteral("10000"));
    d->nameField->setText(QStringLiteral("Zoe"));
    bool ok = save(d, folder + QStringLiteral("/screenshot-new-game.png"));
    d->nameField->clear();

    fw::setRandomSource([] { return 0.0; });  // Ann opens
    d->okayButton->Push();
    fw::setRandomSource(nullptr);
    settle();

    personTurn({{1, 1, 1, 5, 2, 3}});
    ok = runUntil([] { return personOnTurn(QStringLiteral("Ben")); }) && ok;
    personTurn({{5, 5, 5, 3, 4, 2}, {1, 4, 6}});
    ok = runUntil([] { return personOnTurn(QStringLiteral("Ann")); }) && ok;

    // Ann's second turn: three 2s set aside, the 5 still in the roll area.
    for (int f : {2, 6, 2, 5, 3, 2}) boardClass::forcedFaces().push_back(f);
    gameWindow* w = gameWindow::get();
    key(w, Qt::Key_Return, QStringLiteral("\r"));
    clickDie(1);
    ok = save(w, folder + QStringLiteral("/screenshot-game.png")) && ok;
    ok = save(playerListWindow::get(), folder + QStringLiteral("/screenshot-players.png")) && ok;
    ok = saveUpdateOffer(folder + QStringLiteral("/screenshot-update.png")) && ok;

    Menu::get()->updateEnabled();
    HelpInstructions()->action()->trigger();
    ok = runUntil([] { return fw::Window::ifOpen<helpWindow>() != nullptr; }) && ok;
    if (helpWindow* h = fw::Window::ifOpen<helpWindow>()) {
        h->helpShowTopic(QStringLiteral("Scoring"));
        h->findEdit->setText(QStringLiteral("pairs"));
        h->findEdit->setFocus();
        key(h->findEdit, Qt::Key_Return, QStringLiteral("\r"));  // "Find": the word selected, its line on top
        ok = save(h, folder + QStringLiteral("/screenshot-help.png")) && ok;
        h->helpShowTopic(QStringLiteral("Step by Step"));
        ok = save(h, folder + QStringLiteral("/screenshot-help-subtopic.png")) && ok;
    }
    return ok ? 0 : 1;
}
