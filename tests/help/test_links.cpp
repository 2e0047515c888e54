#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "base/resources.h"
#include "fw/browser.h"
#include "fw/canvas.h"
#include "fw/cursors.h"
#include "fw/dialogs.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/screen.h"
#include "fw/sound.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

namespace {
// A window of ours, white but for one pixel of the given colour at screen point (720, 520).
class Patch : public QWidget {
  public:
    explicit Patch(QColor dot) : dot_(dot) { setGeometry(700, 500, 40, 40); }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(20, 20, 1, 1, dot_);
    }
    QColor dot_;
};

// Shown: "A" with links to subtopic C in closed folder B, to a web page and to a file; B; C;
// "D" with a link back to A; "E", after the last topic holding a link.
helpWindow* loadShown() {
    helpWindow* w = helptest::load(helptest::manual(
        {QStringLiteral(
             "<a name=\"A\"></a>Plain words first.<p><p><p><p><a href=\"#B:C\">to C</a> and "
             "<a href=\"https://zorvik.example/\">the site</a> and <a href=\"file:///etc/x\">no</a>"),
         QStringLiteral("<a name=\"B\"></a>b"), QStringLiteral("<a name=\"B:C\"></a>c"),
         QStringLiteral("<a name=\"D\"></a>d <a href=\"#A\">back</a>"),
         QStringLiteral("<a name=\"E\"></a>e")}));
    w->Show();
    QTest::mouseMove(w->LabelArray[0]);  // the mouse comes into the window, over a header
    return w;
}

// The mouse moved onto character `pos` of the shown text, as a person moves it; then a click there.
QPoint hover(helpWindow* w, int pos, bool click = false) {
    QTextCursor c(w->helpField->document());
    c.setPosition(pos);
    const QPoint at = w->helpField->cursorRect(c).center() + QPoint(3, 0);
    fw::System::setMousePosition(w->helpField->viewport()->mapToGlobal(at));
    QTest::mouseMove(w->helpField->viewport(), at);
    if (click) QTest::mouseClick(w->helpField->viewport(), Qt::LeftButton, {}, at);
    return at;
}
}  // namespace

class Browser : public QObject {
    Q_OBJECT
  public Q_SLOTS:
    void open(const QUrl& url) { opened << url.toString(); }

  public:
    QStringList opened;
};

class LinkTest : public QObject {
    Q_OBJECT
    Browser browser;
    const QStringList schemes{"http", "https", "mailto", "file"};
  private Q_SLOTS:
    void initTestCase() {
        for (const QString& s : schemes) QDesktopServices::setUrlHandler(s, &browser, "open");
    }
    void cleanupTestCase() {
        for (const QString& s : schemes) QDesktopServices::unsetUrlHandler(s);
    }
    void init() {
        testing::resetGame();
        browser.opened.clear();
    }
    void cleanup() {
        fw::System::setMousePosition(std::nullopt);
        fw::setAppMouseCursor(nullptr);
    }

    // Within 29 of a link colour in every channel counts, 30 off in any one channel does not.
    void colour_29PerChannelCountsAnd30DoesNot() {
        helpWindow* w = loadShown();
        for (const QColor base : {w->helpLinkColor, w->helpURLColor})
            for (int channel = 0; channel < 3; ++channel)
                for (int step : {-29, 29, -30, 30}) {
                    int rgb[3] = {base.red(), base.green(), base.blue()};
                    rgb[channel] += step;
                    if (rgb[channel] < 0 || rgb[channel] > 255) continue;
                    QCOMPARE(w->helpApproximateColor(QColor(rgb[0], rgb[1], rgb[2]), base), qAbs(step) == 29);
                }
        // Read from the screen: a pixel of our own window; a point on none of them has no colour.
        Patch near(QColor(22 + 29, 117 - 29, 51 + 29)), far(QColor(22, 117 + 30, 51));
        near.show();
        QVERIFY(w->helpIsColor(720, 520) && !w->helpIsColor(721, 520));
        near.hide();
        far.show();
        QVERIFY(!w->helpIsColor(720, 520) && !w->helpIsColor(-5000, -5000));
    }

    void mouse_linkColourThreePixelsAwayFoundFourNot() {
        helpWindow* w = loadShown();
        Patch patch(QColor(0, 0, 255));  // drawn by anything of ours, not only the help text
        patch.show();
        for (const QPoint off : {QPoint(3, 3), QPoint(-3, 3), QPoint(0, -3), QPoint(0, 0)}) {
            fw::System::setMousePosition(QPoint(720, 520) + off);
            QVERIFY(w->helpOverLink(0, 0));
        }
        for (const QPoint off : {QPoint(4, 4), QPoint(-4, 0), QPoint(2, 3)}) {
            fw::System::setMousePosition(QPoint(720, 520) + off);
            QVERIFY(!w->helpOverLink(0, 0));
        }
    }

    void cursor_fingerOverLinkTextGoneAtExitWindowArrow() {
        helpWindow* w = loadShown();
        hover(w, w->helpURLPos(1, 1) + 1);
        QVERIFY(w->foundLink && fw::appMouseCursor());
        QVERIFY(fw::sameCursor(*fw::appMouseCursor(), *fingerCursor()));
        w->setCursor(Qt::WaitCursor);
        QTest::mouseMove(w->moveBar, QPoint(5, 5));
        QVERIFY(w->foundLink && !fw::appMouseCursor());  // no hand over the rest of the game
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        hover(w, w->helpURLPos(1, 1) + 1);
        w->close();  // hidden over a link: the hand goes with it
        QVERIFY(!fw::appMouseCursor());
        w->Show();
        hover(w, 3);
        QVERIFY(!w->foundLink && !fw::appMouseCursor());
    }

    // The look around the mouse yields to the loop; a leave or a hide met there wins over its result.
    void cursor_leaveOrHideDuringTheLookLeavesNoHand() {
        for (const bool hide : {false, true}) {
            helpWindow* w = loadShown();
            Patch patch(QColor(0, 0, 255));
            patch.show();
            hover(w, 3);
            fw::System::setMousePosition(QPoint(722, 520));  // two pixels away: found after a yield
            w->helpField_MouseMove(0, 0);
            QVERIFY(fw::appMouseCursor());
            fw::setAppMouseCursor(nullptr);
            QTimer::singleShot(0, w, [w, hide] {
                if (hide)
                    w->close();
                else
                    QTest::mouseMove(w->moveBar, QPoint(5, 5));
            });
            w->helpField_MouseMove(0, 0);
            QVERIFY2(!fw::appMouseCursor(), hide ? "hidden" : "left");
        }
    }

    void click_followsTheLinkUnderTheCharacter() {
        helpWindow* w = loadShown();
        // A click also places the insertion point where it is, as in any text.
        QPoint at = hover(w, w->helpURLPos(1, 2) + 1, true);  // the web page: the window stays as it is
        QCOMPARE(browser.opened, QStringList{"https://zorvik.example/"});
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
        QCOMPARE(w->helpField->SelStart(), w->helpField->CharPosAtXY(at.x(), at.y()));
        QVERIFY(w->helpField->SelStart() > w->helpURLPos(1, 2));
        hover(w, w->helpURLPos(1, 3), true);  // a file is never handed on
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(fw::beepCount(), 1);
        at = hover(w, 3, true);  // no link colour near: nothing but the insertion point
        QCOMPARE(fw::beepCount(), 1);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
        QCOMPARE(w->helpField->SelStart(), w->helpField->CharPosAtXY(at.x(), at.y()));
        QCOMPARE(w->helpField->SelLength(), 0);
        // A drag selects.
        const QPoint to = hover(w, 8);
        QTest::mousePress(w->helpField->viewport(), Qt::LeftButton, {}, at);
        QMouseEvent drag(QEvent::MouseMove, to, w->helpField->viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(w->helpField->viewport(), &drag);
        QTest::mouseRelease(w->helpField->viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(w->helpField->SelLength(),
                 w->helpField->CharPosAtXY(to.x(), to.y()) - w->helpField->SelStart());
        QVERIFY(w->helpField->SelLength() > 0);
        QCOMPARE(fw::beepCount(), 1);
        QVERIFY(browser.opened.size() == 1 && w->topicsList->Text() == QStringLiteral("A"));
        hover(w, w->helpURLPos(1, 1) + 2, true);  // its folder opens, its row is selected
        QCOMPARE(w->helpField->Text(), QStringLiteral("c\r"));
        QCOMPARE(helptest::rows(w), (QStringList{"A", "-B", "C", "D", "E"}));
        QCOMPARE(w->topicsList->Text(), QStringLiteral("C"));
    }

    // Without a browser to open, a click on a web link beeps and tells the address.
    void click_onAWebLinkWithoutABrowser_tellsTheAddress() {
        helpWindow* w = loadShown();
        fw::setNoBrowserForTests(true);
        const auto browserBack = qScopeGuard([] { fw::setNoBrowserForTests(false); });
        hover(w, w->helpURLPos(1, 2) + 1, true);
        QCOMPARE(fw::beepCount(), 1);
        QCOMPARE(fw::shownDialogs().size(), 1);
        QCOMPARE(fw::shownDialogs().first().message,
                 QStringLiteral("No web browser could be opened for this address:\nhttps://zorvik.example/"));
        QVERIFY(browser.opened.isEmpty());
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
    }

    void jump_bothEndsLowerSlotAndTopicsWithoutLinks() {
        helpWindow* w = loadShown();
        w->helpShowTopic(QStringLiteral("D"));
        w->helpJump(w->helpURLPos(4, 1) + w->helpURLlen(4, 1) + 1);  // link colour near, no link here
        QCOMPARE(fw::beepCount(), 1);
        w->helpJump(w->helpURLPos(4, 1) + w->helpURLlen(4, 1));  // just after its last character
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
        for (int k : {1, 2}) {  // two links touching at position 3
            w->helpURL(1, k) = k == 1 ? QStringLiteral("#D") : QStringLiteral("#E");
            w->helpURLPos(1, k) = 3 * (k - 1);
            w->helpURLlen(1, k) = 3;
        }
        w->helpJump(3);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("D"));
        w->helpShowTopic(QStringLiteral("A"));
        w->helpJump(4);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("E"));
        w->helpJump(0);  // E has no row in the link tables
        w->topicsList->setListIndex(-1);
        w->helpJump(0);
        QCOMPARE(fw::beepCount(), 3);
        QVERIFY(browser.opened.isEmpty());
    }
};

ZORVIK_TEST(LinkTest)
#include "test_links.moc"
