#include <QPushButton>
#include <QTest>

#include "base/resources.h"
#include "fw/canvas.h"
#include "fw/cursors.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/screen.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

namespace {
helpWindow* loadShown() {
    helpWindow* w = helptest::load(helptest::manual({QStringLiteral("<a name=\"A\"></a>a")}));
    w->Show();
    return w;
}

// Whether the drag line's colour shows at window x, over the topic list or the help text.
bool lineAt(helpWindow* w, int x) {
    const QPoint at = w->content()->mapToGlobal(QPoint(x, 200));
    return fw::System::Pixel(at.x(), at.y()).rgb() == fw::DarkBevelColor().rgb();
}

// The columns as "list width, bar left, field left and width", with both headers checked.
QString columns(helpWindow* w) {
    if (w->LabelArray[0]->width() != w->topicsList->width() ||
        w->LabelArray[1]->geometry().left() != w->helpField->x() ||
        w->LabelArray[1]->width() != w->helpField->width())
        return QStringLiteral("headers astray");
    return QStringLiteral("%1 %2 %3 %4")
        .arg(w->topicsList->width())
        .arg(w->moveBar->x())
        .arg(w->helpField->x())
        .arg(w->helpField->width());
}

// Drags the bar to each window x in turn; the last is released.
void drag(helpWindow* w, std::initializer_list<int> xs, bool release = false) {
    QTest::mousePress(w->moveBar, Qt::LeftButton, {}, QPoint(6, 100));
    for (int x : xs) QTest::mouseMove(w->moveBar, QPoint(x - w->moveBar->x(), 100));
    if (release)
        QTest::mouseRelease(w->moveBar, Qt::LeftButton, {}, QPoint(*std::rbegin(xs) - w->moveBar->x(), 100));
}

// Resizes the window so that its content area is width x height.
void resizeContent(helpWindow* w, int width, int height) {
    const QSize chrome = w->size() - w->content()->size();
    w->resize(QSize(width, height) + chrome);
    testing::drain(3);
    QCOMPARE(w->content()->size(), QSize(width, height));
}

// Both columns and the bar on show side by side, the split within its limits for the width.
QString splitFault(helpWindow* w) {
    const int width = w->content()->width(), split = w->moveBar->x();
    if (split < 100 || split > width - 300 ||
        columns(w) !=
            QStringLiteral("%1 %2 %3 %4").arg(split - 15).arg(split).arg(split + 15).arg(width - split - 30))
        return QStringLiteral("columns %1 at width %2").arg(columns(w)).arg(width);
    for (QWidget* c : {static_cast<QWidget*>(w->topicsList), static_cast<QWidget*>(w->moveBar),
                       static_cast<QWidget*>(w->helpField)})
        if (!c->isVisible()) return c->objectName() + QStringLiteral(" hidden");
    return {};
}
}  // namespace

class SplitBarTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void drag_lineOverTheControlsStopsAtTheLimitsAndLeavesNoMarks() {
        helpWindow* w = loadShown();
        drag(w, {-400});
        QCOMPARE(w->helpOldX, 100);
        QVERIFY(lineAt(w, 100) && lineAt(w, 101) && !lineAt(w, 99) && !lineAt(w, 102));
        drag(w, {2000});
        QCOMPARE(w->helpOldX, 575 - 300);
        QVERIFY(!lineAt(w, 100) && lineAt(w, 275) && lineAt(w, 276));
        drag(w, {180, 200});
        QTest::mouseRelease(w->moveBar, Qt::LeftButton, {}, QPoint(200 - w->moveBar->x(), 100));
        QCOMPARE(columns(w), QStringLiteral("185 200 215 345"));
        QVERIFY(!lineAt(w, 180) && !lineAt(w, 200) && !lineAt(w, 201));
        // A wider window keeps the split and moves the right limit with its edge.
        w->resize(w->width() + 200, w->height());
        testing::drain(3);
        QCOMPARE(columns(w), QStringLiteral("185 200 215 545"));
        drag(w, {2000});
        QCOMPARE(w->helpOldX, 775 - 300);
    }

    void narrowingWindow_takesTheSplitLeftWithItsEdge() {
        helpWindow* w = loadShown();
        drag(w, {2000}, true);
        QCOMPARE(w->moveBar->x(), 275);
        int split = 275;
        for (QSize size : {QSize(560, 380), QSize(520, 390), QSize(450, 330), QSize(400, 300)}) {
            resizeContent(w, size.width(), size.height());
            split = std::min(split, size.width() - 300);
            QCOMPARE(w->moveBar->x(), split);
            QVERIFY2(splitFault(w).isEmpty(), qPrintable(splitFault(w)));
        }
        w->close();
        w->helpShow(QString());
        testing::drain(3);
        QCOMPARE(columns(w), QStringLiteral("85 100 115 270"));
        // Wider again: the split stays where the narrow window put it.
        resizeContent(w, 1000, 500);
        QCOMPARE(columns(w), QStringLiteral("85 100 115 870"));
        // From the right limit of a wide window straight down to the smallest.
        drag(w, {2000}, true);
        QCOMPARE(w->moveBar->x(), 700);
        resizeContent(w, 400, 300);
        QCOMPARE(columns(w), QStringLiteral("85 100 115 270"));
        // Narrowed in the middle of a drag: the release keeps to the window it lands in.
        resizeContent(w, 900, 400);
        drag(w, {2000});
        QCOMPARE(w->helpOldX, 600);
        resizeContent(w, 450, 400);
        QTest::mouseRelease(w->moveBar, Qt::LeftButton, {}, QPoint(600 - w->moveBar->x(), 100));
        QCOMPARE(w->moveBar->x(), 150);
        QVERIFY2(splitFault(w).isEmpty(), qPrintable(splitFault(w)));
    }

    void click_withoutDragLaysOutAgainAtTheSplit() {
        helpWindow* w = loadShown();
        QTest::mouseClick(w->moveBar, Qt::LeftButton, {}, QPoint(6, 100));
        QCOMPARE(columns(w), QStringLiteral("139 154 169 391"));
        // The split outlives hiding the window; the picture pane never shows.
        w->helpAdjustColumns(250);
        w->close();
        w->helpShow(QString());
        QCOMPARE(columns(w), QStringLiteral("235 250 265 295"));
        QVERIFY(!w->pictCanvas->isVisible());
    }

    void grip_centredOnTheBarAndTheCursors() {
        helpWindow* w = loadShown();
        const QImage bar = w->moveBar->grab().toImage();
        QCOMPARE(bar.height(), 285);
        const QRgb light = fw::LightBevelColor().rgb(), dark = fw::DarkBevelColor().rgb();
        for (int x : {4, 6, 8}) {
            QVERIFY(bar.pixel(x, 132) == light && bar.pixel(x + 1, 132) == dark);
            QVERIFY(bar.pixel(x, 152) == light && bar.pixel(x + 1, 152) == dark);
            QVERIFY(bar.pixel(x, 131) != light && bar.pixel(x + 1, 153) != dark);
        }
        QTest::mouseMove(w->helpField->viewport(), QPoint(8, 8));  // from the text onto the bar and back
        QTest::mouseMove(w->moveBar, QPoint(6, 6));
        QVERIFY(fw::sameCursor(w->moveBar->cursor(), *moveColumnCursor()));
        QTest::mouseMove(w->helpField->viewport(), QPoint(6, 6));
        QCOMPARE(w->moveBar->cursor().shape(), Qt::ArrowCursor);
    }
};

ZORVIK_TEST(SplitBarTest)
#include "test_splitbar.moc"
