// The framework alone, linked without the game's libraries and resources (test_fwalone links only
// zorvik_fw): it must link, and its store holds nothing of the game's until the game registers it.
#include <QFile>
#include <QTest>

#include "fw/resourcefork.h"

class FrameworkAloneTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void store_holdsNoGameResources() {
        QVERIFY(!QFile::exists(QStringLiteral(":/icon/zorvik.png")));
        QVERIFY(!fw::ResourceFork::GetPicture(168));
        QVERIFY(!fw::ResourceFork::getCursor(168));
        QCOMPARE(fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 168), QByteArray());
    }
};

QTEST_MAIN(FrameworkAloneTest)
#include "test_fwalone.moc"
