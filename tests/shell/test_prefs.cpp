#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <random>

#include "engine/globals.h"
#include "fw/prefs.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
using testing::prefsPath;
using testing::readPrefs;
using testing::writePrefs;

void setRoster(const QList<std::tuple<QString, int, bool>>& players) {
    gCompletePlayerList.redim(int(players.size()));
    int i = 0;
    for (const auto& [name, kind, active] : players) {
        auto p = std::make_shared<playerClass>();
        p->name = name;
        p->human = kind;
        p->active = active;
        gCompletePlayerList.put(++i, p);
    }
}

QStringList rosterNames() {
    QStringList names;
    for (int i = 1; i <= gCompletePlayerList.ubound(); ++i) names << gCompletePlayerList(i).name;
    return names;
}
}  // namespace

class PrefsFileTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(prefsPath());
    }

    // The stored format, both ways
    void example_isWrittenAsEightLinesAndReadBack() {
        setRoster({{QStringLiteral("P1"), 0, true}, {QStringLiteral("P2"), 2, false}});
        gRoundSize = 5000;
        savePrefs();
        QCOMPARE(readPrefs(), QByteArray("2\ntrue\n0\nP1\nfalse\n2\nP2\n5000\n"));

        setRoster({{QStringLiteral("a"), 1, true},
                   {QStringLiteral("b"), 1, true},
                   {QStringLiteral("c"), 1, true},
                   {QStringLiteral("d"), 1, true},
                   {QStringLiteral("e"), 1, true}});
        gCompletePlayerList(1).score = 700;
        gRoundSize = 0;
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 2);
        QCOMPARE(rosterNames(), QStringList({QStringLiteral("P1"), QStringLiteral("P2")}));
        QCOMPARE(gCompletePlayerList(1).active, true);
        QCOMPARE(gCompletePlayerList(1).human, 0);
        QCOMPARE(gCompletePlayerList(1).score, 0);
        QCOMPARE(gCompletePlayerList(2).active, false);
        QCOMPARE(gCompletePlayerList(2).human, 2);
        QCOMPARE(gRoundSize, 5000);
    }

    void rosterOfSix_keepsOrderAndEveryField() {
        setRoster({{QStringLiteral("Zed"), 5, false},
                   {QStringLiteral("Amy"), 0, true},
                   {QStringLiteral("Dup"), 3, true},
                   {QStringLiteral("Dup"), 4, false},
                   {QString(), 1, true},
                   {QStringLiteral("  spaced  "), 2, true}});
        gRoundSize = 50000;
        savePrefs();
        const auto before = gCompletePlayerList;
        createArrays();
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 6);
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(gCompletePlayerList(i).name, before(i).name);
            QCOMPARE(gCompletePlayerList(i).human, before(i).human);
            QCOMPARE(gCompletePlayerList(i).active, before(i).active);
        }
        QCOMPARE(gRoundSize, 50000);
        QCOMPARE(gPlayerList.ubound(), 0);
    }

    void flags_readTrueOnlyFromALeadingT() {
        for (const char* yes : {"true", "True", "T", "tx", "TRUE!"})
            QVERIFY2(returnBValue(QLatin1String(yes)), yes);
        for (const char* no : {"false", "1", "yes", "", " true", "F"})
            QVERIFY2(!returnBValue(QLatin1String(no)), no);
    }

    // Files that are missing, empty, cut or damaged
    void missingOrZeroCountFile_keepsTheRoster() {
        setRoster({{QStringLiteral("a"), 0, true},
                   {QStringLiteral("b"), 1, false},
                   {QStringLiteral("c"), 2, true},
                   {QStringLiteral("d"), 3, true},
                   {QStringLiteral("e"), 4, true}});
        gRoundSize = 10000;
        loadPrefs();
        QCOMPARE(rosterNames().size(), 5);
        QCOMPARE(gRoundSize, 10000);
        QVERIFY(!QFile::exists(prefsPath()));

        writePrefs("0\n20000\n");
        loadPrefs();
        QCOMPARE(rosterNames().size(), 5);
        QCOMPARE(gRoundSize, 20000);

        writePrefs("-4\nxyz\n");
        loadPrefs();
        QCOMPARE(rosterNames().size(), 5);
        QCOMPARE(gRoundSize, 0);

        writePrefs("");
        gRoundSize = 35000;
        loadPrefs();
        QCOMPARE(rosterNames().size(), 5);
        QCOMPARE(gRoundSize, 0);
    }

    void cutFile_readsThePlayersItHolds() {
        writePrefs("3\ntrue\n2\nAnn\nfalse\n4");
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 2);
        QCOMPARE(gCompletePlayerList(1).name, QStringLiteral("Ann"));
        QCOMPARE(gCompletePlayerList(1).human, 2);
        QCOMPARE(gCompletePlayerList(2).active, false);
        QCOMPARE(gCompletePlayerList(2).human, 4);
        QCOMPARE(gCompletePlayerList(2).name, QString());
        QCOMPARE(gRoundSize, 0);
    }

    void hugeCount_stopsAtTheEndOfTheFile() {
        // Read to the count, this would take 2 billion passes and records.
        writePrefs("2000000000\ntrue\n0\nP1\ntrue\n1\nP2\n5000\n");
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 3);
        QCOMPARE(gCompletePlayerList(3).name, QString());
        QCOMPARE(gCompletePlayerList(3).active, false);  // "5000" taken as its flag
        QCOMPARE(gRoundSize, 0);

        writePrefs("99999999999999\n");
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 3);
    }

    void kindsOutsideTheList_readAsAPerson() {
        writePrefs("5\ntrue\n7\nA\ntrue\n-1\nB\ntrue\n99999999999\nC\ntrue\nCPU\nD\ntrue\n5\nE\n1000\n");
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 5);
        for (int i = 1; i <= 4; ++i) QCOMPARE(gCompletePlayerList(i).human, 0);
        QCOMPARE(gCompletePlayerList(5).human, 5);
        QCOMPARE(gRoundSize, 1000);
    }

    void binaryNoise_givesSoundRecords() {
        std::mt19937 gen(42);
        for (int round = 0; round < 20; ++round) {
            QByteArray noise(70000, '\0');
            for (char& c : noise) c = char(gen() % 256);
            noise.prepend(QByteArray::number(int(gen() % 100000)) + '\n');
            writePrefs(noise);
            loadPrefs();
            const int lines = int(noise.count('\n')) + 1;
            QVERIFY(gCompletePlayerList.ubound() <= lines);
            for (int i = 1; i <= gCompletePlayerList.ubound(); ++i) {
                QVERIFY(gCompletePlayerList(i).human >= 0 && gCompletePlayerList(i).human <= 5);
                QVERIFY(gCompletePlayerList(i).name.size() <= noise.size());
            }
        }
    }

    void namesWithLineEnds_areStoredAsOneLine() {
        setRoster({{QStringLiteral("Ann\nBob"), 1, true},
                   {QStringLiteral("C\r\nD\rE"), 2, false},
                   {QStringLiteral("Last"), 3, true}});
        gRoundSize = 20000;
        savePrefs();
        QCOMPARE(readPrefs(), QByteArray("3\ntrue\n1\nAnn Bob\nfalse\n2\nC D E\ntrue\n3\nLast\n20000\n"));
        createArrays();
        loadPrefs();
        QCOMPARE(rosterNames(),
                 QStringList({QStringLiteral("Ann Bob"), QStringLiteral("C D E"), QStringLiteral("Last")}));
        QCOMPARE(gCompletePlayerList(3).human, 3);
        QCOMPARE(gRoundSize, 20000);
    }

    // Writing
    void missingFolder_isCreated() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("not/yet/there"));
        fw::setPreferencesFolder(folder);
        setRoster({{QStringLiteral("P1"), 0, true}});
        gRoundSize = 1000;
        savePrefs();
        QCOMPARE(readPrefs(), QByteArray("1\ntrue\n0\nP1\n1000\n"));
        QVERIFY(QFile::exists(folder + QStringLiteral("/Zorvik Prefs")));
        fw::setPreferencesFolder(testing::preferencesFolder());
    }

    void failedWrite_leavesTheOldFileWhole() {
        setRoster({{QStringLiteral("P1"), 0, true}, {QStringLiteral("P2"), 2, false}});
        gRoundSize = 5000;
        savePrefs();
        const QByteArray old = readPrefs();

        // A disk that fills up halfway through the new file: no file may grow past 200 bytes.
        setRoster({{QString(5000, QLatin1Char('x')), 1, true}, {QStringLiteral("P3"), 1, true}});
        gRoundSize = 1000;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 200;
        setrlimit(RLIMIT_FSIZE, &small);
        savePrefs();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readPrefs(), old);
        QCOMPARE(QDir(fw::PreferencesFolder()).entryList(QDir::Files),
                 QStringList({QStringLiteral("Zorvik Prefs")}));

        // The same on a path that cannot become a file.
        QTemporaryDir dir;
        QVERIFY(!fw::writeLinesAtomically(dir.path(), {QStringLiteral("1")}));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }
};

ZORVIK_TEST(PrefsFileTest)
#include "test_prefs.moc"
