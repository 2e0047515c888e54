#include <QDesktopServices>
#include <QPainter>
#include <QTest>

#include "fw/browser.h"
#include "fw/canvas.h"
#include "fw/cursors.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/screen.h"
#include "fw/sound.h"
#include "help/helpwindow.h"
#include "shell/resources.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

namespace {
// A window of ours painted white but for one pixel of the given colour at (20, 20).
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

// The help window, shown, with "A" holding links, folder "B" holding subtopic "C", and "D".
helpWindow* loadShown() {
    helpWindow* w = helptest::load(helptest::manual({
        QStringLiteral("<a name=\"A\"></a>Plain words first.<p><p><p><p><a href=\"#B:C\">to C</a> and "
                       "<a href=\"https://zorvik.example/\">the site</a> and <a href=\"file:///etc/x\">no</a>"),
        QStringLiteral("<a name=\"B\"></a>b"), QStringLiteral("<a name=\"B:C\"></a>c"),
        QStringLiteral("<a name=\"D\"></a>d <a href=\"#A\">back</a>"), QStringLiteral("<a name=\"E\"></a>e")}));
    w->Show();
    return w;
}

// The mouse moved to the middle of character `pos` of the shown text, as a person moves it.
void hover(helpWindow* w, int pos) {
    QTextCursor c(w->helpField->document());
    c.setPosition(pos);
    const QPoint at = w->helpField->cursorRect(c).center() + QPoint(3, 0);
    fw::System::setMousePosition(w->helpField->viewport()->mapToGlobal(at));
    QTest::mouseMove(w->helpField->viewport(), at);
}

void click(helpWindow* w, int pos) {
    hover(w, pos);
    QTextCursor c(w->helpField->document());
    c.setPosition(pos);
    QTest::mouseClick(w->helpField->viewport(), Qt::LeftButton, {}, w->helpField->cursorRect(c).center() + QPoint(3, 0));
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
  private Q_SLOTS:
    void initTestCase() {
        for (const char* s : {"http", "https", "mailto", "file"}) QDesktopServices::setUrlHandler(s, &browser, "open");
    }
    void cleanupTestCase() {
        for (const char* s : {"http", "https", "mailto", "file"}) QDesktopServices::unsetUrlHandler(s);
    }
    void init() {
        testing::resetGame();
        browser.opened.clear();
    }
    void cleanup() {
        fw::System::setMousePosition(std::nullopt);
        fw::setAppMouseCursor(nullptr);
    }

    // Colour: within 29 of a link colour in every channel counts, 30 off in any one does not.
    void colour_29PerChannelCountsAnd30DoesNot() {
        helpWindow* w = loadShown();
        for (const QColor base : {w->helpLinkColor, w->helpURLColor}) {
            for (int channel = 0; channel < 3; ++channel) {
                for (int sign : {-1, 1}) {
                    int rgb[3] = {base.red(), base.green(), base.blue()};
                    rgb[channel] += sign * 29;
                    if (rgb[channel] < 0 || rgb[channel] > 255) continue;
                    QVERIFY(w->helpApproximateColor(QColor(rgb[0], rgb[1], rgb[2]), base));
                    rgb[channel] += sign;
                    QVERIFY(!w->helpApproximateColor(QColor(rgb[0], rgb[1], rgb[2]), base));
                }
            }
        }
        // Read from the screen: a pixel of our own window, and a point on none of them.
        Patch near(QColor(22 + 29, 117 - 29, 51 + 29)), far(QColor(22, 117 + 30, 51));
        near.show();
        QVERIFY(w->helpIsColor(720, 520));
        QVERIFY(!w->helpIsColor(721, 520));
        near.hide();
        far.show();
        QVERIFY(!w->helpIsColor(720, 520));
        QVERIFY(!w->helpIsColor(-5000, -5000));
    }

    void mouse_threePixelsFromLinkColourFoundFourNot() {
        helpWindow* w = loadShown();
        Patch patch(QColor(0, 0, 255));  // drawn by anything of ours, not only the help text
        patch.show();
        const QPoint dot(720, 520);
        for (const QPoint off : {QPoint(3, 3), QPoint(-3, 3), QPoint(0, -3), QPoint(0, 0), QPoint(4, 4), QPoint(-4, 0), QPoint(2, 3)}) {
            fw::System::setMousePosition(dot + off);
            const bool found = qMax(qAbs(off.x()), qAbs(off.y())) <= 3 && (off.x() == 0 || off.y() == 0 || qAbs(off.x()) == qAbs(off.y()));
            QCOMPARE(w->helpOverLink(0, 0), found);
        }
    }

    void hover_fingerOverLinkTextArrowOnTheWindowAtExit() {
        helpWindow* w = loadShown();
        hover(w, w->helpURLPos(1, 1) + 1);
        QVERIFY(w->foundLink);
        QVERIFY(fw::appMouseCursor() && fw::sameCursor(*fw::appMouseCursor(), *fingerCursor()));
        QTest::mouseMove(w->moveBar, QPoint(5, 5));  // leaving keeps the finger, the window shows the arrow
        QVERIFY(fw::appMouseCursor() && w->foundLink);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        hover(w, 3);
        QVERIFY(!w->foundLink);
        QVERIFY(!fw::appMouseCursor());
    }

    // Clicks: the link under the clicked character is followed.
    void click_internalLinkOpensTheClosedFolderAndSelectsTheSubtopic() {
        helpWindow* w = loadShown();
        QCOMPARE(helptest::rows(w), (QStringList{"A", "+B", "D", "E"}));
        click(w, w->helpURLPos(1, 1) + 2);
        QCOMPARE(w->helpField->Text(), QStringLiteral("c\r"));
        QCOMPARE(helptest::rows(w), (QStringList{"A", "-B", "C", "D", "E"}));
        QCOMPARE(w->topicsList->Text(), QStringLiteral("C"));
        QCOMPARE(fw::beepCount(), 0);
    }

    void click_externalLinkOpensTheBrowserOnlyForWebAndMail() {
        helpWindow* w = loadShown();
        const QString before = w->helpField->Text();
        click(w, w->helpURLPos(1, 2) + 1);
        QCOMPARE(browser.opened, QStringList{"https://zorvik.example/"});
        QCOMPARE(fw::openedURLs().last(), QStringLiteral("https://zorvik.example/"));
        QCOMPARE(w->helpField->Text(), before);
        QCOMPARE(w->topicsList->ListIndex(), 0);
        w->helpJump(w->helpURLPos(1, 3));  // a file is not handed to the browser
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(fw::beepCount(), 1);
    }

    void click_justAfterTheLastCharacterBelongsToTheLink() {
        helpWindow* w = loadShown();
        w->helpShowTopic(QStringLiteral("D"));
        w->helpJump(w->helpURLPos(4, 1) + w->helpURLlen(4, 1));
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
        w->helpShowTopic(QStringLiteral("D"));
        w->helpJump(w->helpURLPos(4, 1) + w->helpURLlen(4, 1) + 1);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("D"));
        QCOMPARE(fw::beepCount(), 1);  // link colour near, no link under the character
    }

    void click_touchingLinksTheLowerSlotWins() {
        helpWindow* w = loadShown();
        w->helpURL(1, 1) = QStringLiteral("#D");
        w->helpURLPos(1, 1) = 0;
        w->helpURLlen(1, 1) = 3;
        w->helpURL(1, 2) = QStringLiteral("#E");
        w->helpURLPos(1, 2) = 3;
        w->helpURLlen(1, 2) = 3;
        w->helpJump(3);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("D"));
        w->helpShowTopic(QStringLiteral("A"));
        w->helpJump(4);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("E"));
    }

    void click_awayFromLinkColourDoesNothing() {
        helpWindow* w = loadShown();
        click(w, 3);
        QCOMPARE(fw::beepCount(), 0);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("A"));
        QVERIFY(browser.opened.isEmpty());
    }

    void jump_topicWithoutLinkRowOrNoRowSelectedBeepsOnce() {
        helpWindow* w = loadShown();
        w->helpShowTopic(QStringLiteral("E"));  // after the last topic holding a link
        w->helpJump(0);
        QCOMPARE(fw::beepCount(), 1);
        w->topicsList->setListIndex(-1);
        w->helpJump(0);
        QCOMPARE(fw::beepCount(), 2);
        QVERIFY(browser.opened.isEmpty());
    }
};

ZORVIK_TEST(LinkTest)
#include "test_links.moc"
