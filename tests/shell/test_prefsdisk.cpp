#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "engine/globals.h"
#include "fw/dialogs.h"
#include "fw/prefs.h"
#include "shell/gamesettingswindow.h"
#include "shell/gamewindow.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
using testing::prefsPath;

void setRoster(const QStringList& names) {
    gCompletePlayerList.redim(int(names.size()));
    for (int i = 1; i <= names.size(); ++i) {
        auto p = std::make_shared<playerClass>();
        p->name = names[i - 1];
        p->human = i % 6;
        p->active = i % 2 == 1;
        gCompletePlayerList.put(i, p);
    }
}

QStringList rosterNames() {
    QStringList names;
    for (int i = 1; i <= gCompletePlayerList.ubound(); ++i) names << gCompletePlayerList(i).name;
    return names;
}

gameSettingsWindow* openDialog() {
    gameSettingsWindow* d = gameSettingsWindow::get();
    d->Show();
    testing::drain(2);
    return d;
}

void addPlayer(gameSettingsWindow* d, const QString& name) {
    d->nameField->setText(name);
    QTest::mouseClick(d->addButton, Qt::LeftButton);
}

// Files written while it lives may not grow past `bytes`, as on a disk that is full.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    void (*oldHandler_)(int);
    rlimit saved_{};
};
}  // namespace

class PrefsDiskTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(prefsPath());
        QDir(prefsPath()).removeRecursively();
    }

    void cleanup() { QDir(prefsPath()).removeRecursively(); }

    // Only a regular file holds the preferences
    void fifoOrFolderInPlace_readsAsNoFile() {
        setRoster({QStringLiteral("Ann"), QStringLiteral("Bob")});
        gRoundSize = 10000;

        // A FIFO with a roster waiting in it: reading it would take that roster, or wait for ever.
        const QByteArray path = QFile::encodeName(prefsPath());
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        const int fifo = ::open(path.constData(), O_RDWR | O_NONBLOCK);
        QVERIFY(fifo >= 0);
        const QByteArray waiting("1\ntrue\n0\nFifo\n5000\n");
        QCOMPARE(::write(fifo, waiting.constData(), size_t(waiting.size())), ssize_t(waiting.size()));
        loadPrefs();
        ::close(fifo);
        QVERIFY(QFile::remove(prefsPath()));
        QCOMPARE(rosterNames(), QStringList({QStringLiteral("Ann"), QStringLiteral("Bob")}));
        QCOMPARE(gRoundSize, 10000);

        QVERIFY(QDir().mkpath(prefsPath()));
        loadPrefs();
        QCOMPARE(rosterNames().size(), 2);
        QCOMPARE(gRoundSize, 10000);
        QVERIFY(QDir(prefsPath()).removeRecursively());

        // A link to a regular file still reads.
        const QString target = QDir(testing::preferencesFolder()).filePath(QStringLiteral("kept"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\ntrue\n3\nLinked\n5000\n");
        file.close();
        QVERIFY(QFile::link(target, prefsPath()));
        loadPrefs();
        QFile::remove(prefsPath());
        QFile::remove(target);
        QCOMPARE(rosterNames(), QStringList({QStringLiteral("Linked")}));
        QCOMPARE(gCompletePlayerList(1).human, 3);
        QCOMPARE(gRoundSize, 5000);
    }

    // Names of any length come back whole
    void longNames_surviveASaveAndAReload() {
        QString latin;
        for (int i = 0; i < 70000; ++i) latin += QLatin1Char(char('a' + i % 26));
        QString cjk;  // three bytes a character: 90 000 bytes
        for (int i = 0; i < 30000; ++i) cjk += QChar(char16_t(0x4E00 + i % 2000));
        QString astral;  // four bytes and two UTF-16 units a character
        for (int i = 0; i < 17000; ++i) astral += QString::fromUcs4(U"\U0001F3B2");
        const QStringList names{latin, cjk, astral, QStringLiteral("After")};
        setRoster(names);
        gRoundSize = 50000;
        savePrefs();
        QVERIFY(fw::shownDialogs().isEmpty());
        createArrays();
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 4);
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(gCompletePlayerList(i).name.size(), names[i - 1].size());
            QVERIFY(gCompletePlayerList(i).name == names[i - 1]);
            QCOMPARE(gCompletePlayerList(i).human, i % 6);
            QCOMPARE(gCompletePlayerList(i).active, i % 2 == 1);
        }
        QCOMPARE(gRoundSize, 50000);
    }

    // A count far beyond the file: the roster stays within what its bytes can hold
    void hugeCountOverBlankLines_readsAtMostAPlayerPerEightBytes() {
        const QByteArray blank = QByteArray("2000000000\n") + QByteArray(24000, '\n');
        testing::writePrefs(blank);
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), int(blank.size() / 8));  // not one per 3 blank lines
        for (int i = 1; i <= gCompletePlayerList.ubound(); ++i)
            QVERIFY(!gCompletePlayerList(i).active && gCompletePlayerList(i).name.isEmpty());

        // The smallest players the game writes are all read back, the round length too.
        testing::writePrefs("3\ntrue\n0\n\ntrue\n0\n\ntrue\n0\n\n5\n");
        loadPrefs();
        QCOMPARE(gCompletePlayerList.ubound(), 3);
        QVERIFY(gCompletePlayerList(3).active);
        QCOMPARE(gRoundSize, 5);
    }

    // A save that fails is told, once, and spares the game
    void folderInPlace_failedSaveIsToldOnceWithFileAndReason() {
        QVERIFY(QDir().mkpath(prefsPath()));
        setRoster({QStringLiteral("Ann"), QStringLiteral("Bob")});
        gRoundSize = 5000;
        savePrefs();
        QCOMPARE(fw::shownDialogs().size(), 1);
        const fw::DialogRecord box = fw::shownDialogs().first();
        QCOMPARE(box.message, QStringLiteral("Your players could not be saved."));
        const QString quoted = QStringLiteral("\"") + prefsPath() + QStringLiteral("\"");
        QVERIFY2(box.explanation.contains(quoted + QStringLiteral(" could not be written: ")),
                 qPrintable(box.explanation));
        const QString reason = box.explanation.section(QStringLiteral("could not be written: "), 1)
                                   .section(QStringLiteral(". The game goes on"), 0, 0);
        QVERIFY2(!reason.isEmpty() && reason != QStringLiteral("Unknown error"), qPrintable(reason));
        QVERIFY(QFileInfo(prefsPath()).isDir());
        QCOMPARE(QDir(fw::PreferencesFolder()).entryList(QDir::Files), QStringList());
    }

    void fullDisk_startGameTellsOnce_andCancelKeepsTheRunningGame() {
        testing::writePrefs("2\ntrue\n0\nXena\ntrue\n0\nYuri\n1000\n");
        loadPrefs();
        gameSettingsWindow* d = openDialog();
        addPlayer(d, QString(300, QLatin1Char('z')));
        d->roundSizePopup->setCurrentText(QStringLiteral("35000"));
        {
            FileSizeLimit full(200);
            QTest::keyClick(d, Qt::Key_Return);
        }
        QCOMPARE(fw::shownDialogs().size(), 1);
        const QString why = QString::fromLocal8Bit(std::strerror(EFBIG));  // "File too large"
        QVERIFY(fw::shownDialogs().first().explanation.contains(
            prefsPath() + QStringLiteral("\" could not be written: ") + why));
        QCOMPARE(testing::readPrefs(), QByteArray("2\ntrue\n0\nXena\ntrue\n0\nYuri\n1000\n"));
        // The game goes on with the players and round length chosen.
        QVERIFY(gameWindow::get()->isVisible());
        QCOMPARE(gPlayerList.ubound(), 3);
        QCOMPARE(gRoundSize, 35000);
        gPlayerList(2).score = 800;
        const auto playing = gPlayerList;

        // Cancel in the next dialog reads the older file, but the game keeps what it had.
        gameSettingsWindow* again = openDialog();
        QCOMPARE(again->roundSizePopup->currentText(), QStringLiteral("35000"));
        QTest::keyClick(again, Qt::Key_Escape);
        QVERIFY(again->isClosed());
        QCOMPARE(gRoundSize, 35000);
        QCOMPARE(gPlayerList.ubound(), 3);
        for (int i = 1; i <= 3; ++i) QVERIFY(gPlayerList[i] == playing[i]);
        QCOMPARE(gPlayerList(2).score, 800);
        QVERIFY(!isGameOver());
        QCOMPARE(rosterNames(), QStringList({QStringLiteral("Xena"), QStringLiteral("Yuri")}));
        QCOMPARE(fw::shownDialogs().size(), 1);
    }
};

ZORVIK_TEST(PrefsDiskTest)
#include "test_prefsdisk.moc"
