#include <QDir>
#include <QFileInfo>

#include "tests/update/updatetestsupport.h"
#include "update/fuzz/replyprobe.h"

// The reader of the version-description file, and the fuzzer's corpus replayed through the whole
// reply handling.
class UpdateReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init() { testing::resetGame(); }

    void returnValue_takesTheTextBetweenTheFirstTags_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "<Free>Yes</Free>" << "Free" << "Yes";
        QTest::newRow("blanks belong to it") << "<Free> Yes </Free>" << "Free" << " Yes ";
        QTest::newRow("empty") << "<Description></Description>" << "Description" << "";
        QTest::newRow("first of two") << "<CurrentVersion>1.1</CurrentVersion><CurrentVersion>9</CurrentVersion>"
                                      << "CurrentVersion" << "1.1";
        QTest::newRow("holds a tag") << "<Description>a<Free>Yes</Free>b</Description>" << "Description"
                                     << "a<Free>Yes</Free>b";
        QTest::newRow("no decoding") << "<Description>&amp;\r\n</Description>" << "Description" << "&amp;\r\n";
        QTest::newRow("no start tag") << "Free>Yes</Free>" << "Free" << "";
        QTest::newRow("end tag only, further on") << "<Zorvik></Free>" << "Free" << "";
        QTest::newRow("no end tag") << "<Free>Yes" << "Free" << "";
        QTest::newRow("end tag before start") << "</Free><Free>Yes" << "Free" << "";
        QTest::newRow("start tag at the very end") << "x<Free>" << "Free" << "";
        QTest::newRow("letter case") << "<free>Yes</FREE>" << "Free" << "Yes";
        QTest::newRow("other name's tags") << "<FreeX>1</FreeX><Free>2</Free>" << "Free" << "2";
        QTest::newRow("nothing") << "" << "Free" << "";
    }
    void returnValue_takesTheTextBetweenTheFirstTags() {
        QFETCH(QString, content);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(updateWindow::returnValue(content, name), value);
    }

    void fuzzCorpus_holdsThroughTheWholeReplyHandling() {
        NoBrowser browser;
        const QDir corpus(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("corpus")));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString& name : files) {
            QFile f(corpus.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(replyprobe::probe(f.readAll()) + name, name);  // empty when everything held
        }
        setMakerSite(QString());
        QVERIFY(!browser.opened.isEmpty());  // the corpus reaches the download
    }
};

ZORVIK_TEST(UpdateReaderTest)
#include "test_updatereader.moc"
