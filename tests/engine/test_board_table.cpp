#include <QLabel>
#include <QPainter>

#include "base/resources.h"
#include "test_board_support.h"

using namespace boardtest;
using globalsModule::dice;

namespace {
QImage snapshot() { return table()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

// The pixels in which two pictures of the table differ, as one bounding rectangle.
QRect changed(const QImage& a, const QImage& b) {
    QRect r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) r |= QRect(x, y, 1, 1);
    return r;
}

QString readoutAt(const QPoint& p) {
    QTest::mouseMove(table(), p);
    return gameWindow::get()->debug->text();
}
}  // namespace

class BoardTableTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        startTurn();
    }

    void squares_sameEveryTimeTheTableOpens() {
        for (int round = 0; round < 2; ++round) {
            for (int k = 1; k <= 8; ++k) {
                QCOMPARE(QPoint(table()->savedPoints(k).x, table()->savedPoints(k).y), square(k));
                QVERIFY(!table()->savedPoints(k).filled);
            }
            table()->markSquare(24, 114, true);
            QCOMPARE(filledSquares(), QList<int>{2});
            table()->Open();
        }
        QCOMPARE(square(8), QPoint(112, 292));
    }

    // Hit box and readout

    void readout_namesTheDieUnderTheMouse() {
        scoreFaces({4, 4, 4, 1, 2, 3});
        const QPoint two = place(2);
        QCOMPARE(readoutAt(centreOf(2)), QStringLiteral("Die 2 score = 400\nlink = 23"));
        QCOMPARE(readoutAt(two + QPoint(64, 64)), QStringLiteral("Die 2 score = 400\nlink = 23"));
        QCOMPARE(readoutAt(two + QPoint(65, 32)), QString());
        QCOMPARE(readoutAt(two + QPoint(32, 65)), QString());
        QCOMPARE(readoutAt(two + QPoint(0, 0)).left(5), QStringLiteral("Die 2"));
        QCOMPARE(readoutAt(two + QPoint(-1, 0)), QString());
        QCOMPARE(readoutAt(QPoint(200, 150)), QString());
        QCOMPARE(readoutAt(QPoint(0, 0)), QString());

        // A die on the shelf reads like any other, also while a person may not click.
        clickDie(4);
        gameWindow::get()->firstRoll = true;
        QCOMPARE(readoutAt(square(1) + QPoint(10, 10)), QStringLiteral("Die 4 score = 100\nlink = 6"));
        QCOMPARE(readoutAt(square(5) + QPoint(10, 10)), QString());
    }

    void overlappingDice_belongToTheLowerIndex() {
        testing::setFaces({2, 2, 3, 3, 4, 6});
        dice(2).x = dice(1).x + 30;
        dice(2).y = dice(1).y + 30;
        QCOMPARE(table()->withinPoint(dice(1).x + 40, dice(1).y + 40), 1);
        QCOMPARE(table()->withinPoint(dice(1).x + 80, dice(1).y + 80), 2);
        for (int i = 1; i <= 6; ++i) dice(i).x = dice(i).y = -100;
        QCOMPARE(table()->withinPoint(0, 0), 0);
        QCOMPARE(table()->withinPoint(-36, -36), 1);  // the edge of a die that stands off the table
        QCOMPARE(table()->withinPoint(-35, -35), 0);
    }

    // Drawing

    void paint_drawsSquaresDividerFrame() {
        const QImage img = snapshot();
        QCOMPARE(img.size(), QSize(579, 381));
        QCOMPARE(at(img, 56, 57), QColor(230, 230, 230));
        QCOMPARE(at(img, 24, 57), QColor(100, 100, 100));
        QCOMPARE(at(img, 87, 57), QColor(100, 100, 100));
        QVERIFY(at(img, 88, 57) != QColor(100, 100, 100));
        QCOMPARE(at(img, 200, 150), QColor(150, 150, 150));
        QVERIFY(at(img, 201, 150) != QColor(150, 150, 150));
        for (const QPoint& p : {QPoint(0, 150), QPoint(1, 150), QPoint(577, 150), QPoint(578, 150),
                                QPoint(300, 0), QPoint(300, 1), QPoint(300, 379), QPoint(300, 380)})
            QCOMPARE(at(img, p.x(), p.y()), QColor(0, 0, 0));
        QVERIFY(at(img, 2, 150) != QColor(0, 0, 0));
        QVERIFY(at(img, 576, 150) != QColor(0, 0, 0));

        QImage canvas(579, 381, QImage::Format_RGB32);
        QPainter g(&canvas);
        table()->drawFrame(g);
        QCOMPARE(g.pen().width(), 2);
        QCOMPARE(g.pen().color(), QColor(0, 0, 0));
    }

    void paint_drawsEachDieWithinItsPicture() {
        const QImage empty = snapshot();
        dice(1).face = 3;
        dice(1).x = 300;
        dice(1).y = 100;
        const QImage one = snapshot();
        QVERIFY(!changed(empty, one).isEmpty());
        QVERIFY(QRect(300, 100, 64, 64).contains(changed(empty, one)));

        dice(2).face = 5;
        dice(2).x = square(2).x();
        dice(2).y = square(2).y();
        QVERIFY(QRect(square(2), QSize(64, 64)).contains(changed(one, snapshot())));

        // Faces outside 1..6 are drawn as a 1.
        dice(1).face = 1;
        const QImage face1 = snapshot();
        dice(1).face = 0;
        QCOMPARE(snapshot(), face1);
        dice(1).face = 7;
        QCOMPARE(snapshot(), face1);
    }

    void dieMask_letsTheBackdropShowAroundTheDie() {
        const auto mask = diemask();
        const auto face = die1();
        if (!mask || !face || !table()->Backdrop) QSKIP("the resource store holds no die artwork");
        const QImage m = mask->toImage();
        const QImage pic = face->toImage();
        // A pixel outside the mask, and one inside it where the face picture is wholly opaque.
        QPoint clear(-1, -1), solid(-1, -1);
        for (int y = 0; y < m.height(); ++y)
            for (int x = 0; x < m.width(); ++x) {
                if (qGray(m.pixel(x, y)) >= 128)
                    clear = QPoint(x, y);
                else if (qAlpha(pic.pixel(x, y)) == 255 && solid.x() < 0)
                    solid = QPoint(x, y);
            }
        QVERIFY(clear.x() >= 0 && solid.x() >= 0);

        const QImage empty = snapshot();
        dice(1).face = 1;
        dice(1).x = 300;
        dice(1).y = 100;
        const QImage drawn = snapshot();
        const QPoint origin(300, 100);
        QCOMPARE(drawn.pixel(origin + clear), empty.pixel(origin + clear));
        QCOMPARE(at(drawn, (origin + solid).x(), (origin + solid).y()), pic.pixelColor(solid).toRgb());
    }
};

ZORVIK_TEST(BoardTableTest)
#include "test_board_table.moc"
