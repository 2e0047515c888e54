#include <QLabel>
#include <QTest>
#include <QWindow>

#include "base/resources.h"
#include "help/helpwindow.h"
#include "shell/aboutwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "tests/support/testsupport.h"

class AboutBoxTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init() { testing::resetGame(); }

    void box_showsThePictureAndTheLongVersion() {
        aboutWindow* box = aboutWindow::get();
        QCOMPARE(box->size(), QSize(400, 300));
        QVERIFY(box->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(box->windowTitle(), QStringLiteral("About \"Zorvik\""));
        QCOMPARE(box->versionStatic->geometry(), QRect(12, 109, 100, 20));
        QCOMPARE(box->versionStatic->text(), App()->LongVersion());
        QVERIFY(App()->LongVersion().contains(App()->ShortVersion()));
        QVERIFY(box->versionStatic->alignment().testFlag(Qt::AlignHCenter));

        const auto picture = zorvikaboutbox();
        QVERIFY(picture);
        const QImage shown = box->grab().toImage();
        const QImage art =
            picture->toImage().scaled(400 * picture->devicePixelRatio(), 300 * picture->devicePixelRatio());
        const qreal ratio = picture->devicePixelRatio();
        for (const QPoint p : {QPoint(5, 5), QPoint(390, 290), QPoint(200, 40), QPoint(300, 200)})
            QCOMPARE(shown.pixelColor(p), art.pixelColor(int(p.x() * ratio), int(p.y() * ratio)));
    }

    void aPressAnywhere_closesTheBox() {
        for (const QPoint at : {QPoint(395, 295), QPoint(60, 118)}) {  // the picture; the version text
            int shown = 0;
            fw::Window::setModalHook([&](fw::Window* w) {
                ++shown;
                QTest::mouseClick(w->childAt(at) ? w->childAt(at) : w, Qt::LeftButton, {},
                                  w->childAt(at) ? w->childAt(at)->mapFrom(w, at) : at);
            });
            aboutWindow::get()->ShowModal();
            QCOMPARE(shown, 1);
            QVERIFY(!fw::Window::ifOpen<aboutWindow>());
        }
    }

    // Chosen in the menu of the manual over the new-game dialog: the box is the dialog's, so that a
    // window manager keeps it above that one (the desktop marks only a dialog as transient).
    void chosenInTheManualOverTheNewGameDialog_standsAboveTheDialog() {
        gameSettingsWindow* dialog = gameSettingsWindow::get();
        QWindow* owner = nullptr;
        bool marked = false, helpShown = false;
        fw::Window::setModalHook([&](fw::Window* w) {
            if (w != dialog) {
                owner = w->windowHandle()->transientParent();
                marked = w->windowType() == Qt::Dialog;
                w->Close();
                return;
            }
            dialog->activateWindow();
            testing::drain(20);
            QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);
            helpShown = fw::Window::ifOpen<helpWindow>();
            if (helpShown) testing::chooseInMenuBar(fw::Window::ifOpen<helpWindow>(), *AppleAbout());
            dialog->Close();
        });
        dialog->ShowModal();
        fw::Window::setModalHook(nullptr);
        QVERIFY(helpShown);
        QCOMPARE(owner, dialog->windowHandle());
        QVERIFY(marked);
    }
};

ZORVIK_TEST(AboutBoxTest)
#include "test_about.moc"
