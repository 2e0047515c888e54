#include <QTest>

#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

using helptest::manual;

namespace {
// Unique names the plain way: while a name is taken (any case), append the next count.
QStringList uniqueNamesByScan(const QStringList& names) {
    QStringList taken;
    for (QString name : names) {
        for (int k = 0; !name.isEmpty() && taken.contains(name, Qt::CaseInsensitive);)
            name += QString::number(++k);
        taken << name;
    }
    return taken;
}

QString anchors(const QStringList& names) {
    QStringList body;
    for (const QString& n : names) body << QStringLiteral("<a name=\"%1\"></a>x").arg(n);
    return manual(body);
}
}  // namespace

class ConverterTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void replaceMain_rewritesInItsOrder() {
        helpWindow* w = helpWindow::get();
        const QString cr = fw::Chr(13);
        QCOMPARE(w->helpReplaceMain(QStringLiteral("<h2>Goal</h2><H6>x</h6>")),
                 QStringLiteral("<b>Goal</b><b>x</b>"));
        // Line ends are folded before "<p>" becomes one, so "<p>" beside a line end leaves an empty line.
        QCOMPARE(w->helpReplaceMain(cr + cr + cr + QStringLiteral("a") + cr + QStringLiteral("<p>b")),
                 cr + cr + QStringLiteral("a") + cr + cr + QStringLiteral("b"));
        QCOMPARE(w->helpReplaceMain(QStringLiteral("a<br>b</p><hr>")),
                 QStringLiteral("ab") + QString(40, u'-'));
        QCOMPARE(w->helpReplaceMain(QString::fromUtf16(u"\u201Cq\u201D \u2018s\u2019 &quot;d&quot;")),
                 QStringLiteral("\"q\" 's' \"d\""));
        QCOMPARE(w->helpReplaceMain(QStringLiteral("&lt;b&gt;&nbsp;&amp;&copy;")),
                 fw::Chr(9) + QStringLiteral("b") + fw::Chr(7) + QStringLiteral(" &amp;&copy;"));
        QCOMPARE(w->helpReplaceLater(fw::Chr(9) + QStringLiteral("b") + fw::Chr(7)), QStringLiteral("<b>"));
    }

    void extractBody_cutsFromBodyTagToBodyEnd() {
        helpWindow* w = helpWindow::get();
        QCOMPARE(w->helpExtractBody(QStringLiteral("<head>x</head><BODY bg=\"white\">text</body>tail")),
                 QStringLiteral("<BODY bg=\"white\">text"));
        QCOMPARE(w->helpExtractBody(QStringLiteral("<body>no end")), QString());
        QCOMPARE(w->helpExtractBody(QStringLiteral("no start</body>")), QString());
        QCOMPARE(w->helpExtractBody(QStringLiteral("</body> reversed <body>")), QString());
    }

    void extractName_takesTheFirstQuotedText() {
        helpWindow* w = helpWindow::get();
        QCOMPARE(w->helpExtractName(QStringLiteral("\"Rules\"></a>text")), QStringLiteral("Rules"));
        QCOMPARE(w->helpExtractName(QStringLiteral("Rules></a>\"quoted later\">")), QString());
        QCOMPARE(w->helpExtractName(QStringLiteral("\"open></a>\"x\"")), QString());
        QCOMPARE(w->helpExtractName(QStringLiteral("\"\"></a>")), QString());
        QCOMPARE(w->helpExtractName(QString()), QString());
    }

    void divideBody_namesTopicsUniquelyAndFindsSubtopics() {
        helpWindow* w = helptest::load(manual({
            QStringLiteral("<h1>Title</h1>An introduction nobody sees."),
            QStringLiteral("<a name=\"Rules\">dropped</a>one"),
            QStringLiteral("<a name=\"Rules\"></a>two"),
            QStringLiteral("<a name=\"rules\"></a>three"),
            QStringLiteral("<a name=\"Rules\"></a>four"),
            QStringLiteral("<a name=\"Scoring:Triples\"></a>sub"),
            QStringLiteral("<a name=\"Other:Triples:x\"></a>sub again"),
        }));
        QCOMPARE(helptest::topics(w),
                 (QStringList{"Rules", "Rules1", "rules12", "Rules123", "  Triples", "  Triples1"}));
        QCOMPARE(w->helpText[1], QStringLiteral("one") + fw::Chr(13));
        QCOMPARE(w->helpText[6], QStringLiteral("sub again"));
        QCOMPARE(w->helpReturnIndex(QStringLiteral("RULES1")), 2);
        QCOMPARE(w->helpReturnIndex(QStringLiteral("Scoring")), -1);
    }

    void divideBody_manyEqualNamesGetTheSameNamesAsAScan() {
        // Bases that meet each other's candidates: "Rules1" is both a name and a candidate of "Rules".
        QStringList names;
        for (int i = 0; i < 30; ++i)
            names << QStringList{"Rules", "rules", "Rules1", "Rules12", "Rules"}.at(i % 5);
        QCOMPARE(helptest::topics(helptest::load(anchors(names))), uniqueNamesByScan(names));
        // 2000 equal names: the n-th (from 0) carries the digits 1 .. n.
        helpWindow* w = helptest::load(anchors(QStringList(2000, QStringLiteral("Rules"))));
        QString expected = QStringLiteral("Rules");
        for (int i = 1; i <= 2000; ++i) {
            QCOMPARE(w->helpTopic[i], expected);
            expected += QString::number(i);
        }
    }

    void divideBody_emptyNamesAreNeverExtended() {
        helpWindow* w =
            helptest::load(manual({QStringLiteral("<a name=A></a>a"), QStringLiteral("<a name=B></a>b"),
                                   QStringLiteral("<a name=\"C\"></a>c")}));
        QCOMPARE(helptest::topics(w), (QStringList{"", "", "C"}));
        QCOMPARE(w->helpReturnIndex(QString()), -1);
        QCOMPARE(w->topicsList->ListCount(), 3);
    }

    void manualWithoutAnchors_isOneTopic() {
        // The name comes from the body tag's first quoted value; the text after the first "</a>".
        helpWindow* w = helptest::load(
            QStringLiteral("<body bgcolor=\"white\">Intro <a href=\"x\">link</a> rest</body>"));
        QCOMPARE(helptest::topics(w), QStringList{"white"});
        QCOMPARE(w->helpText[1], QStringLiteral(" rest"));
        // With no "</a>" the text runs from the body's fourth character on.
        w = helptest::load(QStringLiteral("<body>plain text</body>"));
        QCOMPARE(helptest::topics(w), QStringList{""});
        QCOMPARE(w->helpText[1], QStringLiteral("dy>plain text"));
        // No body at all: one unnamed, empty topic, shown as one row with nothing in it.
        w = helptest::load(QStringLiteral("<html>no body here</html>"));
        QCOMPARE(helptest::topics(w), QStringList{""});
        QCOMPARE(w->helpText[1], QString());
    }

    void escapedAngles_showAsCharactersNeverAsTags() {
        helpWindow* w = helptest::load(manual({QStringLiteral("<a name=\"T\"></a>&lt;b&gt; &amp; a\tb")}));
        QCOMPARE(w->helpText[1], QStringLiteral("<b> &amp; a<b"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("<b> &amp; a<b"));
    }
};

ZORVIK_TEST(ConverterTest)
#include "test_converter.moc"
