#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "base/resources.h"
#include "fw/resourcefork.h"
#include "tests/support/testsupport.h"

namespace {
int asked(const char* kind) { return fw::ResourceFork::requests(QString::fromLatin1(kind)); }

bool writeFile(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool writeImage(const QString& file, QSize size) {
    QDir().mkpath(QFileInfo(file).path());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image.save(file);
}

// The shipped file of a picture: PNG, or JPEG for the grainy backdrops.
QImage shippedImage(int number, const char* twin) {
    for (const char* ext : {"png", "jpg"}) {
        QImage image(
            QStringLiteral(":/picture/%1%2.%3").arg(number).arg(QLatin1String(twin), QLatin1String(ext)));
        if (!image.isNull()) return image;
    }
    return {};
}
}  // namespace

class ResourcesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        fw::ResourceFork::setRoot({});
        forgetKeptResources();
    }
    void cleanup() { init(); }

    // Keep and reload rules

    void picturesAndSounds_areLoadedOnceAndShared() {
        const int pictures = asked("picture"), sounds = asked("sound");
        const auto first = die3();
        QVERIFY(first);
        QCOMPARE(die3().get(), first.get());
        QCOMPARE(asked("picture"), pictures + 1);
        const auto click = CLICK();
        QVERIFY(click);
        QCOMPARE(CLICK().get(), click.get());
        QCOMPARE(asked("sound"), sounds + 1);
    }

    void missingPictureOrSound_isAskedForAgainUntilFound() {
        QTemporaryDir empty;
        fw::ResourceFork::setRoot(empty.path());
        const int pictures = asked("picture"), sounds = asked("sound");
        QVERIFY(!die3());
        QVERIFY(!die3());
        QVERIFY(!DiceShake());
        QVERIFY(!DiceShake());
        QCOMPARE(asked("picture"), pictures + 2);
        QCOMPARE(asked("sound"), sounds + 2);

        fw::ResourceFork::setRoot({});
        const auto found = die3();
        QVERIFY(found);
        QCOMPARE(die3().get(), found.get());
        QCOMPARE(asked("picture"), pictures + 3);
    }

    void playedSounds_areLoggedByNameWhetherTheStoreHasThemOrNot() {
        fw::playedSounds().clear();
        playSound(CLICK);
        QTemporaryDir empty;
        fw::ResourceFork::setRoot(empty.path());
        forgetKeptResources();
        playSound(BOINK04);
        QCOMPARE(fw::playedSounds(), QStringList({QStringLiteral("CLICK"), QStringLiteral("BOINK04")}));
    }

    void manual_isAskedForOnceEvenWhenEmpty() {
        QTemporaryDir empty;
        fw::ResourceFork::setRoot(empty.path());
        const int before = asked("TEXT");
        QCOMPARE(zorvikmanual(), QString());
        QVERIFY(writeFile(empty.filePath(QStringLiteral("text/168.html")), "<html>manual</html>"));
        QCOMPARE(zorvikmanual(), QString());
        QCOMPARE(asked("TEXT"), before + 1);
    }

    void cursors_areLoadedAtEveryCall() {
        const int before = asked("cursor");
        const auto a = fingerCursor(), b = fingerCursor();
        QVERIFY(a && b);
        QVERIFY(a.get() != b.get());
        QCOMPARE(asked("cursor"), before + 2);
        QCOMPARE(a->pixmap().size(), QSize(32, 32));
        QCOMPARE(a->hotSpot(), QPoint(13, 1));  // the fingertip
        const auto split = moveColumnCursor();
        QVERIFY(split);
        QCOMPARE(split->pixmap().size(), QSize(32, 32));
        QCOMPARE(split->hotSpot(), QPoint(16, 16));
        // A dense screen gets the twice-size twins, at the same size and hot spots on it.
        fw::ResourceFork::setScreenRatioForTests(2);
        const auto plainScreen = qScopeGuard([] { fw::ResourceFork::setScreenRatioForTests(0); });
        for (const auto& [cursor, spot] :
             {std::pair{fingerCursor(), QPoint(13, 1)}, std::pair{moveColumnCursor(), QPoint(16, 16)}}) {
            QCOMPARE(cursor->pixmap().size(), QSize(64, 64));
            QCOMPARE(cursor->pixmap().devicePixelRatio(), 2.0);
            QCOMPARE(cursor->pixmap().deviceIndependentSize(), QSizeF(32, 32));
            QCOMPARE(cursor->hotSpot(), spot);
        }
    }

    // The store

    void numbersCountPerKind() {
        QTemporaryDir store;
        QVERIFY(writeImage(store.filePath(QStringLiteral("picture/168.png")), QSize(3, 3)));
        QVERIFY(writeImage(store.filePath(QStringLiteral("cursor/168.png")), QSize(5, 5)));
        QVERIFY(writeFile(store.filePath(QStringLiteral("cursor/168.hotspot")), "9 1"));  // outside: ignored
        QVERIFY(writeFile(store.filePath(QStringLiteral("sound/168.wav")), "RIFF"));
        QVERIFY(writeFile(store.filePath(QStringLiteral("text/168.html")), "manual"));
        fw::ResourceFork::setRoot(store.path());

        QCOMPARE(fw::ResourceFork::GetPicture(168)->size(), QSize(3, 3));
        QCOMPARE(fw::ResourceFork::getCursor(168)->pixmap().size(), QSize(5, 5));
        QCOMPARE(fw::ResourceFork::getCursor(168)->hotSpot(), QPoint(2, 2));
        QVERIFY(fw::ResourceFork::GetSound(168, QStringLiteral("DiceShake")));
        QCOMPARE(fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 168), QByteArray("manual"));
        QVERIFY(!fw::ResourceFork::GetPicture(169));
        QVERIFY(!fw::ResourceFork::getCursor(169));
        QVERIFY(!fw::ResourceFork::GetSound(169, QStringLiteral("BOINK04")));
        QCOMPARE(fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 169), QByteArray());
    }

    // The shipped resources

    void shippedPictures_haveTheirSizesAndTwins() {
        const QList<std::pair<std::shared_ptr<QPixmap> (*)(), QSize>> pictures = {
            {die1, {64, 64}},
            {die2, {64, 64}},
            {die3, {64, 64}},
            {die4, {64, 64}},
            {die5, {64, 64}},
            {die6, {64, 64}},
            {zorvikaboutbox, {400, 300}},
            {zorvikbackground, {579, 381}},
            {diemask, {64, 64}}};
        for (int k = 0; k < pictures.size(); ++k) {
            const auto picture = pictures[k].first();
            QVERIFY2(picture, qPrintable(QString::number(168 + k)));
            QCOMPARE(picture->deviceIndependentSize().toSize(), pictures[k].second);
            QImage twin = shippedImage(168 + k, "@2x");
            QCOMPARE(twin.size() / twin.devicePixelRatio(), pictures[k].second);
            QCOMPARE(twin.devicePixelRatio(), 2.0);
        }
    }

    void dieMask_coversEveryFaceAndNothingElse() {
        for (const char* twin : {"", "@2x"}) {
            const QImage mask = shippedImage(176, twin).convertToFormat(QImage::Format_RGB32);
            const int last = mask.width() - 1;
            QCOMPARE(mask.pixel(0, 0), qRgb(255, 255, 255));  // a rounded corner: transparent
            QCOMPARE(mask.pixel(last, last), qRgb(255, 255, 255));
            QCOMPARE(mask.pixel(last / 2, last / 2), qRgb(0, 0, 0));
            for (int face = 168; face <= 173; ++face) {
                const QImage image = shippedImage(face, twin);
                QCOMPARE(image.size(), mask.size());
                int uncovered = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        uncovered += qAlpha(image.pixel(x, y)) > 0 && mask.pixel(x, y) != qRgb(0, 0, 0);
                QCOMPARE(uncovered, 0);
            }
        }
    }

    void aboutPicture_isLightBehindTheVersionText() {
        const QImage about = zorvikaboutbox()->toImage();
        const int d = int(about.devicePixelRatio());
        for (int y = 109 * d; y < 129 * d; ++y)
            for (int x = 12 * d; x < 112 * d; ++x) QVERIFY(qGray(about.pixel(x, y)) > 200);
    }

    void shippedSounds_arePcmWaves() {
        const QList<std::pair<GameSound, double>> sounds = {{DiceShake, 0.6},
                                                            {BOINK04, 0.5},
                                                            {THEATREAPPLAUSE, 2.5},
                                                            {WHISTLEAPPRECIATIVE, 1.0},
                                                            {CLICK, 0.04}};
        for (int k = 0; k < sounds.size(); ++k) {
            QVERIFY(sounds[k].first());
            QFile f(QStringLiteral(":/sound/%1.wav").arg(168 + k));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray wav = f.readAll();
            const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
            const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
            QVERIFY(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt " && wav.mid(36, 4) == "data");
            QCOMPARE(u16(20), quint16(1));   // PCM
            QCOMPARE(u16(22), quint16(1));   // mono
            QCOMPARE(u16(34), quint16(16));  // bits
            QVERIFY(u32(24) == 22050 || u32(24) == 44100);
            QCOMPARE(qsizetype(u32(40)), wav.size() - 44);
            const double seconds = u32(40) / 2.0 / u32(24);
            QVERIFY2(qAbs(seconds - sounds[k].second) < 0.1 * sounds[k].second + 0.01,
                     qPrintable(QString::number(seconds)));
            int peak = 0;
            for (int at = 44; at + 1 < wav.size(); at += 2)
                peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(wav.constData() + at))));
            QVERIFY(peak > 3000 && peak < 32000);  // audible, and never clipped
        }
    }
};

ZORVIK_TEST(ResourcesTest)
#include "test_resources.moc"
