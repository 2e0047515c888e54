#include <QDir>
#include <QFile>
#include <QTest>

#include "base/resources.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/helpexercise.h"
#include "tests/support/testsupport.h"

// Manuals a person could damage: none may crash the viewer or make it hang.
class MalformedManualTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void corpus_everyManualConvertsAndWalks() {
        const QDir dir(QStringLiteral(ZORVIK_SOURCE_DIR "/tests/help/corpus"));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 8);
        for (const QString& name : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
            const QString broken = helptest::exercise(helpWindow::get(), QString::fromUtf8(f.readAll()));
            QVERIFY2(broken.isEmpty(), qPrintable(name + QStringLiteral(": ") + broken));
        }
        forgetKeptResources();
        QVERIFY2(helptest::exercise(helptest::load(QString()), zorvikmanual()).isEmpty(), "shipped manual");
    }

    void emptyText_isOneEmptyTopic() {
        helpWindow* w = helptest::load(QString());
        QCOMPARE(helptest::topics(w), QStringList{""});
        QCOMPARE(helptest::rows(w), QStringList{""});
        QCOMPARE(w->topicsList->ListIndex(), 0);
        QCOMPARE(w->helpField->Text(), QString());  // the unnamed topic is never found by name
    }

    void openAngleWithoutClose_cutsTheTopicThere() {
        helpWindow* w =
            helptest::load(helptest::manual({QStringLiteral("<a name=\"A\"></a>before <b>bold <i unclosed"),
                                             QStringLiteral("<a name=\"B\"></a>3 < 4 is true")}));
        QCOMPARE(helptest::visible(w->helpText[1]), QStringLiteral("before bold "));
        QCOMPARE(w->helpText[2], QStringLiteral("3 "));
    }

    void subtopicOfAnUnnamedParent_isShownWithoutSelectingARow() {
        // The unnamed folder opens empty: asking for the row again would never end.
        helpWindow* w = helptest::load(helptest::manual(
            {QStringLiteral("<a name=></a>unnamed"), QStringLiteral("<a name=\"P:X\"></a>child")}));
        QCOMPARE(helptest::rows(w), QStringList{"+"});
        w->helpShowTopic(QStringLiteral("X"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("child"));
        QCOMPARE(helptest::rows(w), QStringList{"-"});
        QCOMPARE(w->topicsList->ListIndex(), 0);
        // A plain row bearing the parent's (empty) name is never opened and asked again either.
        w = helptest::load(
            helptest::manual({QStringLiteral("<a name=></a>a"), QStringLiteral("<a name=\"\"></a>b"),
                              QStringLiteral("<a name=\"P:X\"></a>child")}));
        QCOMPARE(helptest::rows(w), (QStringList{"", "+"}));
        w->helpShowTopic(QStringLiteral("X"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("child"));
    }
};

ZORVIK_TEST(MalformedManualTest)
#include "test_malformed.moc"
