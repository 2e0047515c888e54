#include <QLabel>
#include <QTest>

#include "engine/board.h"
#include "shell/gamewindow.h"
#include "tests/support/testsupport.h"

// The main window as it opens.
class GameWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void mainWindow_layout() {
        testing::resetGame();
        gameWindow* w = gameWindow::get();
        QVERIFY(!w->isVisible());
        QCOMPARE(w->pos(), QPoint(8, 45));
        QCOMPARE(w->windowTitle(), QStringLiteral("Zorvik!"));
        QCOMPARE(w->content()->size(), QSize(600, 459));
        const QList<std::pair<const char*, QRect>> controls = {
            {"rollButton", {490, 422, 100, 22}},   {"playingSurface", {11, 28, 579, 381}},
            {"Label0", {11, 7, 100, 20}},          {"Label1", {206, 7, 100, 20}},
            {"saveAllButton", {11, 423, 150, 20}}, {"stopButton", {368, 423, 110, 20}},
            {"debug", {173, 419, 195, 33}}};
        for (const auto& [name, rect] : controls) {
            auto* c = w->content()->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(c, name);
            QCOMPARE(c->geometry(), rect);
        }
        QCOMPARE(w->Label[0]->text(), QStringLiteral("Saved Dice:"));
        QCOMPARE(w->Label[1]->text(), QStringLiteral("Roll Area:"));
        QVERIFY(w->Label[0]->font().bold() && w->Label[1]->font().bold());
        QVERIFY(w->debug->text().isEmpty());
        QVERIFY(w->rollButton->isEnabled() && !w->saveAllButton->isEnabled() && !w->stopButton->isEnabled());
        QCOMPARE(w->defaultButton(), w->rollButton);
        QCOMPARE(w->playingSurface->focusPolicy(), Qt::NoFocus);
        QVERIFY(!w->firstRoll);
    }
};

ZORVIK_TEST(GameWindowTest)
#include "test_gamewindow.moc"
