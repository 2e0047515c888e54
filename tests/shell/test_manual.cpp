#include <QAction>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

#include "fw/resourcefork.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "tests/shell/test_turnsupport.h"
#include "tests/support/testsupport.h"

namespace {
// The help viewer finds tags and entities by their exact spelling; anything else would be dropped
// or shown as typed. Anchors and links are checked by their own patterns below.
bool knownTag(const QString& tag) {
    static const QStringList known =
        QStringLiteral(
            "body /body /a b /b i /i u /u ol /ol ul /ul li p /p br hr blockquote /blockquote "
            "h1 /h1 h2 /h2 h3 /h3 h4 /h4 h5 /h5 h6 /h6")
            .split(QLatin1Char(' '));
    return known.contains(tag);
}

QString shippedManual(QByteArray* bytes) {
    fw::ResourceFork::setRoot({});
    *bytes = fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 168);
    auto decode = QStringDecoder(QStringDecoder::Utf8);
    QString text = decode(*bytes);
    return decode.hasError() ? QString() : text;
}
}  // namespace

class ManualTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void manual_isUtf8WithCrLineEndsAndKnownMarkupOnly() {
        QByteArray bytes;
        const QString text = shippedManual(&bytes);
        QVERIFY(!text.isEmpty());
        QVERIFY(!bytes.contains('\n'));  // the viewer breaks lines at CR only
        QVERIFY(!bytes.contains('\t'));  // a tab would show as "<"
        QVERIFY(!bytes.contains("\r\r\r"));
        QVERIFY(!text.startsWith(QChar(0xFEFF)));

        const QRegularExpression tag(QStringLiteral("<([^<>]*)>"));
        const QRegularExpression anchor(QStringLiteral("^a name=\"[^\":]+(:[^\":]+)?\"$"));
        const QRegularExpression link(QStringLiteral("^a href=\"[^\"]+\"$"));
        qsizetype tags = 0;
        for (const auto& m : tag.globalMatch(text)) {
            ++tags;
            const QString t = m.captured(1);
            QVERIFY2(knownTag(t) || anchor.match(t).hasMatch() || link.match(t).hasMatch(), qPrintable(t));
        }
        QCOMPARE(text.count(QLatin1Char('<')), tags);  // no "<" or ">" outside a tag
        QCOMPARE(text.count(QLatin1Char('>')), tags);
        for (const auto& m : QRegularExpression(QStringLiteral("&[^;]*;?")).globalMatch(text))
            QVERIFY2(QStringList({"&lt;", "&gt;", "&quot;", "&nbsp;"}).contains(m.captured()),
                     qPrintable(m.captured()));
    }

    void manual_topicsAreUniqueAndEveryLinkFindsOne() {
        QByteArray bytes;
        const QString text = shippedManual(&bytes);
        QStringList anchors, shortNames;
        QString parent;
        for (const auto& m : QRegularExpression(QStringLiteral("<a name=\"([^\"]*)\">")).globalMatch(text)) {
            const QString name = m.captured(1);
            anchors << name;
            const QStringList parts = name.split(QLatin1Char(':'));
            if (parts.size() == 1)
                parent = name;
            else
                QCOMPARE(parts[0], parent);  // a subtopic is listed under the topic before it
            QVERIFY2(!shortNames.contains(parts.last(), Qt::CaseInsensitive), qPrintable(name));
            shortNames << parts.last();
        }
        QVERIFY(anchors.size() > 10);
        QVERIFY(!anchors.first().contains(QLatin1Char(':')));
        // Text between the body tag and the first anchor would be shown nowhere.
        QVERIFY(text.indexOf(QStringLiteral("<a name=")) == text.indexOf(QStringLiteral("<body>")) + 7);

        QStringList external;
        for (const auto& m : QRegularExpression(QStringLiteral("<a href=\"([^\"]*)\">")).globalMatch(text)) {
            const QString target = m.captured(1);
            if (target.startsWith(QLatin1Char('#')))
                QVERIFY2(anchors.contains(target.mid(1)), qPrintable(target));
            else
                external << target;
        }
        QCOMPARE(external.size(), 1);  // the product page
        QVERIFY(external[0].startsWith(QStringLiteral("https://")) &&
                external[0].endsWith(QStringLiteral("/zorvik/")));
    }

    // The manual quotes the game: the history's heading as the game writes it, and the keys that
    // the new-game dialog answers.
    void manual_namesTheHistoryHeadingAndTheDialogsKeysAsTheGameHasThem() {
        QByteArray bytes;
        const QString text = shippedManual(&bytes);

        testing::resetGame();
        turns::newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Ben"), 0}}, 1000, 1);
        const QStringList headings =
            testing::historyLines().filter(QRegularExpression(QStringLiteral("^[A-Za-z ]+ \\d+:$")));
        QCOMPARE(headings.size(), 1);
        const QString heading = headings.first().section(QLatin1Char(' '), 0, -2);
        QVERIFY2(text.contains(QStringLiteral("&quot;") + heading + QStringLiteral("&quot;")),
                 qPrintable(heading));
        testing::resetGame();

        setUpApplication();
        const QList<QAction*> dialogKeys = gameSettingsWindow::get()->actions();
        QVERIFY(dialogKeys.contains(HelpInstructions()->action()));
        QVERIFY(HelpInstructions()->action()->shortcuts().contains(QKeySequence(Qt::Key_F1)));
        const qsizetype at = text.indexOf(QStringLiteral("In the new-game dialog,"));
        QVERIFY(at > 0);
        const QString dialogKeysSentence = text.mid(at, text.indexOf(QStringLiteral("</p>"), at) - at);
        QVERIFY2(dialogKeysSentence.contains(QKeySequence(Qt::Key_F1).toString()),
                 qPrintable(dialogKeysSentence));
        testing::resetGame();
        fw::Window::setMenuBarFactory(nullptr);
    }
};

ZORVIK_TEST(ManualTest)
#include "test_manual.moc"
