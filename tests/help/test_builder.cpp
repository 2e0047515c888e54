#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <algorithm>

#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

using helptest::manual;
using helptest::styleAt;
using helptest::visible;

namespace {
const QString kGreen = QStringLiteral("bu#167533");  // internal links: RGB(22,117,51)
const QString kBlue = QStringLiteral("bu#0000ff");   // external links
}  // namespace

class BuilderTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void chunks_leadingLineEndsAdjacentTagsAndBlanks() {
        const QString cr = fw::Chr(13);
        helpWindow* w = helptest::load(
            QStringLiteral("<body><a name=\"A\"></a>") + cr + cr + QStringLiteral("<b>Bold</b> plain") + cr +
            QStringLiteral("<i>x") + QStringLiteral("<a name=\"B\"></a><b><i>x</i></b>") +
            QStringLiteral("<a name=\"C\"></a><b>x</b>    <i>y</i><p>    <x>z</body>"));
        QCOMPARE(visible(w->helpText[1]), QStringLiteral("Bold plain{r}x"));
        QCOMPARE(styleAt(w, 1, 0), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 1, 3), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 1, 4), QString());
        QCOMPARE(styleAt(w, 1, 11), QStringLiteral("i"));
        // Tags met at once after another leave one Chr(0), styled as the tag just handled left them.
        QCOMPARE(visible(w->helpText[2]), QStringLiteral("{0}x{0}"));
        QCOMPARE(styleAt(w, 2, 0), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 2, 1), QStringLiteral("bi"));
        QCOMPARE(styleAt(w, 2, 2), QStringLiteral("b"));
        // A chunk of exactly four blanks after a tag is dropped; an unknown tag is not shown.
        QCOMPARE(visible(w->helpText[3]), QStringLiteral("xy{r}    z"));
        w->helpShowTopic(QStringLiteral("B"));
        QCOMPARE(w->helpField->Text(), fw::Chr(0) + QStringLiteral("x") + fw::Chr(0));
    }

    void copy_leavesOutWhatShowsAsNothing() {
        helpWindow* w = helptest::load(manual({QStringLiteral("<a name=\"T\"></a>a<b><i>x</i></b>b")}));
        QVERIFY(w->helpField->Text().contains(QChar(0)));
        w->helpField->selectAll();
        w->helpField->copy();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), QStringLiteral("axb"));
        QVERIFY(copied->hasHtml());
        QVERIFY(!copied->html().contains(QChar(0x200B)));
        QVERIFY(copied->html().contains(QStringLiteral("x")));
    }

    void lists_numberedPerListBulletedOtherwise() {
        helpWindow* w = helptest::load(manual({
            QStringLiteral("<a name=\"L\"></a><ol>"),
            QStringLiteral("<li>one"),
            QStringLiteral("<li>two"),
            QStringLiteral("</ol><ol>"),
            QStringLiteral("<li>again"),
            QStringLiteral("<ul>"),
            QStringLiteral("<li>inner"),
            QStringLiteral("</ul>"),
            QStringLiteral("<li>after</ol>"),
            QStringLiteral("<li>loose"),
        }));
        // After the inner "/ul" no list is open: the outer list's last item gets a bullet.
        QCOMPARE(visible(w->helpText[1]), QStringLiteral("{r}    1 one{r}    2 two{r}{0}{r}    1 again{r}{r}"
                                                         "    • inner{r}{r}    • after{r}    • loose"));
    }

    void itemCounter_runsOnAcrossTopicsUntilAnOrderedListStarts() {
        helpWindow* w = helptest::load(manual(
            {QStringLiteral("<a name=\"A\"></a><ol><li>a"), QStringLiteral("<a name=\"B\"></a>x<li>b")}));
        QCOMPARE(visible(w->helpText[1]), QStringLiteral("{0}    1 a{r}"));
        QCOMPARE(visible(w->helpText[2]), QStringLiteral("x    • b"));  // no list: a bullet
    }

    void quotation_indentsEveryLineAndEveryInlineChunk() {
        helpWindow* w = helptest::load(
            manual({QStringLiteral("<a name=\"Q\"></a>say<blockquote>"), QStringLiteral("first line"),
                    QStringLiteral("a <b>word</b> here</blockquote>done")}));
        QCOMPARE(visible(w->helpText[1]),
                 QStringLiteral("say{r}    first line{r}    a     word     heredone"));
        QCOMPARE(styleAt(w, 1, 29), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 1, 32), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 1, 33), QString());
        // A chunk that ends a line keeps no blanks after its line end.
        w = helptest::load(manual({QStringLiteral("<a name=\"Q\"></a><blockquote>"), QStringLiteral("x"),
                                   QStringLiteral("</blockquote>")}));
        QCOMPARE(visible(w->helpText[1]), QStringLiteral("{r}    x{r}"));
    }

    void quotation_fourBlankRuleAppliesAfterIndenting() {
        // Indented first, then dropped when exactly four blanks: an empty chunk inserts nothing, a
        // chunk of four blanks shows eight, a chunk with a line end gets no blanks at its start.
        helpWindow* w =
            helptest::load(manual({QStringLiteral("<a name=\"Q\"></a><blockquote>a"),
                                   QStringLiteral("b<b></b><i>    </i>c"), QStringLiteral("</blockquote>")}));
        QCOMPARE(visible(w->helpText[1]), QStringLiteral("a{r}    b{0}{0}        c{r}"));
        QCOMPARE(styleAt(w, 1, 9), QStringLiteral("i"));
        QCOMPARE(styleAt(w, 1, 16), QStringLiteral("i"));
        QCOMPARE(styleAt(w, 1, 17), QString());
    }

    void linkToADeeperName_targetsItsSecondField() {
        helpWindow* w = helptest::load(
            manual({QStringLiteral("<a name=\"Rules\"></a>see <a href=\"#Rules:Triples:old\">triples</a>"),
                    QStringLiteral("<a name=\"Rules:Triples:old\"></a>three of a kind")}));
        QCOMPARE(helptest::topics(w), (QStringList{"Rules", "  Triples"}));
        QCOMPARE(w->helpURL(1, 1), QStringLiteral("#Triples"));
        w->helpJump(w->helpURLPos(1, 1));
        QCOMPARE(w->topicsList->Text(), QStringLiteral("Triples"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("three of a kind"));
    }

    void links_fillTheTablesAndGrowTheSlots() {
        helpWindow* w = helptest::load(manual({
            QStringLiteral(
                "<a name=\"One\"></a>See <a href=\"#Two\">two</a> and <a href=\"#Two:Deep\">deep</a>."),
            QStringLiteral("<a name=\"Two\"></a>Visit <a href=\"https://zorvik.example/\">the site</a>."),
            QStringLiteral("<a name=\"Two:Deep\"></a><b>Bold <a href=\"#One\">back</a> plain"),
            QStringLiteral("<a name=\"Plain\"></a>no links"),
        }));
        QCOMPARE(w->helpMaxURLs, 2);
        QCOMPARE(w->helpURL.ubound1(), 3);  // the last topic holding a link
        QCOMPARE(w->helpURL.ubound2(), 2);
        QCOMPARE(w->helpURL(1, 1), QStringLiteral("#Two"));
        QCOMPARE(w->helpURLPos(1, 1), 4);
        QCOMPARE(w->helpURLlen(1, 1), 3);
        QCOMPARE(w->helpURL(1, 2), QStringLiteral("#Deep"));  // the subtopic's own name
        QCOMPARE(w->helpURLPos(1, 2), 12);
        QCOMPARE(w->helpURLlen(1, 2), 4);
        QCOMPARE(w->helpURL(2, 1), QStringLiteral("https://zorvik.example/"));
        QCOMPARE(w->helpURL(2, 2), QString());
        QCOMPARE(w->helpURL(3, 1), QStringLiteral("#One"));
        QCOMPARE(styleAt(w, 1, 3), QString());
        QCOMPARE(styleAt(w, 1, 4), kGreen);
        QCOMPARE(styleAt(w, 1, 7), QString());
        QCOMPARE(styleAt(w, 2, 6), kBlue);
        // A link ends the bold run around it.
        QCOMPARE(styleAt(w, 3, 0), QStringLiteral("b"));
        QCOMPARE(styleAt(w, 3, 5), kGreen);
        QCOMPARE(styleAt(w, 3, 10), QString());
    }

    void manyLinks_takeTheirSlotsInTextOrder() {
        // Topic A: 30 links, every third with an empty target; B: 40 links; C: one.
        const int counts[] = {30, 40, 1};
        QStringList body;
        for (int t = 0; t < 3; ++t) {
            QString topic = QStringLiteral("<a name=\"%1\"></a>").arg(QChar(u'A' + t));
            for (int k = 1; k <= counts[t]; ++k)
                topic += k % 3 == 0 && t == 0 ? QStringLiteral("<a href=>e%1</a> ").arg(k)
                                              : QStringLiteral("<a href=\"#B\">L%1.</a> ").arg(k);
            body << topic;
        }
        helpWindow* w = helptest::load(manual(body));
        QCOMPARE(w->helpMaxURLs, 41);
        QCOMPARE(w->helpURL.ubound2(), 41);
        for (int t = 1; t <= 3; ++t) {
            int slot = 0;
            for (int k = 1; k <= counts[t - 1]; ++k) {
                if (k % 3 == 0 && t == 1) continue;
                const QString text = QStringLiteral("L%1.").arg(k);
                ++slot;
                QCOMPARE(w->helpURL(t, slot), QStringLiteral("#B"));
                QCOMPARE(w->helpURLPos(t, slot), int(w->helpText[t].indexOf(text)));
                QCOMPARE(w->helpURLlen(t, slot), int(text.size()));
            }
            QCOMPARE(w->helpReturnTopURL(t), std::min(slot + 1, w->helpMaxURLs));
            for (++slot; slot <= w->helpMaxURLs; ++slot) QCOMPARE(w->helpURL(t, slot), QString());
        }
    }

    void slots_growOnlyWhenARowIsFull() {
        // A row whose first free slot is the last one grows the tables, even when that slot is free.
        helpWindow* w = helptest::load(
            manual({QStringLiteral("<a name=\"A\"></a><a href=\"#B\">1</a>"),
                    QStringLiteral("<a name=\"B\"></a><a href=\"#A\">1</a><a href=\"#A\">2</a>"),
                    QStringLiteral("<a name=\"C\"></a><a href=\"#A\">1</a>")}));
        QCOMPARE(w->helpMaxURLs, 3);
        QCOMPARE(w->helpURLPos(2, 2), 2);  // after "1" and the Chr(0) between the adjacent tags
        QCOMPARE(w->helpURL(3, 1), QStringLiteral("#A"));
        QCOMPARE(w->helpURL(3, 2), QString());
        // Worked through: 0 -> 1 for the first link, 2 for a second in one topic; the next topic's
        // first link takes slot 1 without growth.
        w = helptest::load(
            manual({QStringLiteral("<a name=\"A\"></a><a href=\"#B\">1</a> <a href=\"#B\">2</a>"),
                    QStringLiteral("<a name=\"B\"></a><a href=\"#A\">1</a> <a href=\"#A\">2</a>")}));
        QCOMPARE(w->helpMaxURLs, 3);
        QCOMPARE(w->helpURL(2, 3), QString());
    }

    void returnTopURL_firstFreeSlotOrTheLastOne() {
        helpWindow* w = helptest::load(manual({QStringLiteral("<a name=\"A\"></a>no links")}));
        QCOMPARE(w->helpMaxURLs, 0);
        QCOMPARE(w->helpReturnTopURL(1), 0);
        // helpMaxURLs 3: A holds one link, B two.
        w = helptest::load(
            manual({QStringLiteral("<a name=\"A\"></a><a href=\"#B\">1</a>"),
                    QStringLiteral("<a name=\"B\"></a><a href=\"#A\">1</a> <a href=\"#A\">2</a>")}));
        QCOMPARE(w->helpReturnTopURL(1), 2);
        w->helpURL(1, 2) = w->helpURL(1, 3) = QStringLiteral("#B");
        QCOMPARE(w->helpReturnTopURL(1), 3);
        w->helpURL(1, 2) = QString();
        QCOMPARE(w->helpReturnTopURL(1), 2);
        w->helpURL(2, 1) = QString();
        QCOMPARE(w->helpReturnTopURL(2), 1);
    }

    void unclosedLinkAndStrayEnd_keepTheTablesWhole() {
        helpWindow* w =
            helptest::load(manual({QStringLiteral("<a name=\"A\"></a>x <a href=\"#B\">runs to the end"),
                                   QStringLiteral("<a name=\"B\"></a>stray</a> end <a href=>t</a>")}));
        QCOMPARE(w->helpURLlen(1, 1), 0);
        QCOMPARE(styleAt(w, 1, 16), kGreen);
        // "/a" before any link of its topic writes nothing; a short tag gives the empty target,
        // so its slot stays free.
        QCOMPARE(w->helpURL.ubound1(), 2);
        QCOMPARE(w->helpURL(2, 1), QString());
        QCOMPARE(w->helpURLPos(2, 1), 10);
        QCOMPARE(w->helpURLlen(2, 1), 1);
        QCOMPARE(w->helpMaxURLs, 2);
        // A link that takes over that free slot and is never closed has length 0, not the old one.
        w = helptest::load(
            manual({QStringLiteral("<a name=\"A\"></a><a href=>abc</a> <a href=\"#A\">open")}));
        QCOMPARE(w->helpURL(1, 1), QStringLiteral("#A"));
        QCOMPARE(w->helpURLPos(1, 1), 4);
        QCOMPARE(w->helpURLlen(1, 1), 0);
    }
};

ZORVIK_TEST(BuilderTest)
#include "test_builder.moc"
