// libFuzzer target: arbitrary bytes as the update check's reply (see replyprobe.h).
#include <QApplication>
#include <QDesktopServices>
#include <cstdio>
#include <cstdlib>

#include "fw/sound.h"
#include "shell/app.h"
#include "tests/support/replyprobe.h"

namespace {
class NoBrowser : public QObject {
    Q_OBJECT
  public Q_SLOTS:
    void open(const QUrl&) {}
};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static NoBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    fw::setAudioEnabled(false);
    setUpApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString failure =
        replyprobe::probe(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "update reply: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}

#include "fuzz_update_reply.moc"
