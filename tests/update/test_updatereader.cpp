#include <QDir>
#include <QFileInfo>

#include "tests/support/replyprobe.h"
#include "tests/update/updatetestsupport.h"

// The reader of the version file, and the fuzzer's corpus replayed through the whole reply handling.
class UpdateReaderTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init() { testing::resetGame(); }

    void returnValue_takesTheTextBetweenTheFirstTags() {
        const char* cases[][2] = {
            // content, value of "Free"
            {"<Free>Yes</Free>", "Yes"},
            {"<Free> Yes </Free>", " Yes "},
            {"<Free></Free>", ""},
            {"<Free>1</Free><Free>2</Free>", "1"},
            {"<Free>a<Description>b</Description></Free>", "a<Description>b</Description>"},
            {"<Free>&amp;\r\n</Free>", "&amp;\r\n"},
            {"<free>Yes</FREE>", "Yes"},
            {"<FreeX>1</FreeX><Free>2</Free>", "2"},
            {"Free>Yes</Free>", ""},  // no start tag
            {"<Zorvik>ab</Free>", ""},
            {"<Free>Yes", ""},  // no end tag
            {"</Free><Free>Yes", ""},
            {"</Free>x<Free>Yes</Free>", "Yes"},  // the end tag counts only after the start tag
            {"x<Free>", ""},
            {"", ""}};
        for (const auto& [content, value] : cases)
            QCOMPARE(updateWindow::returnValue(QString::fromLatin1(content), QStringLiteral("Free")),
                     QString::fromLatin1(value));
    }

    void fuzzCorpus_holdsThroughTheWholeReplyHandling() {
        NoBrowser browser;
        const QDir corpus(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("corpus")));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString& name : files) {
            QFile f(corpus.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(replyprobe::probe(f.readAll()) + name, name);  // the probe gives "" when all held
        }
        setMakerSite(QString());
        QVERIFY(!browser.opened.isEmpty());  // the corpus reaches the download
    }
};

ZORVIK_TEST(UpdateReaderTest)
#include "test_updatereader.moc"
