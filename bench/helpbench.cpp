// The help window's costs. Over fresh processes (the bench starts itself with --child): the time
// from choosing "Instructions..." to the first topic painted, and from showing another topic to its
// paint. In this process: converting the shipped manual with its body repeated 1, 4 and 16 times
// (a fresh window each time), dividing up to 2000 anchors of one name, one topic of 1500 to 24000
// tags, and showing the last of 375 to 6000 topics by name. Prints medians.
// Usage: helpbench [runs]   (default 15; set QT_QPA_PLATFORM=offscreen where there is no display)
//        helpbench large    (only the large manuals: one long topic, many topics)
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/resources.h"
#include "fw/clock.h"
#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/menu.h"
#include "fw/text.h"
#include "fw/window.h"
#include "help/helpwindow.h"
#include "shell/app.h"
#include "shell/menu.h"

namespace {
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Handles events until the widget has painted once more; the milliseconds since `clock` started.
double untilPainted(PaintCounter& counter, const QElapsedTimer& clock) {
    const int before = counter.paints;
    while (counter.paints == before) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return double(clock.nsecsElapsed()) / 1e6;
}

int child(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication();
    Menu::get()->updateEnabled();
    PaintCounter counter;
    QElapsedTimer clock;
    clock.start();
    HelpInstructions()->action()->trigger();
    helpWindow* w = fw::Window::ifOpen<helpWindow>();
    w->helpField->viewport()->installEventFilter(&counter);
    const double first =
        counter.paints > 0 ? double(clock.nsecsElapsed()) / 1e6 : untilPainted(counter, clock);
    clock.restart();
    w->helpShowTopic(QStringLiteral("Scoring"));
    const double other = untilPainted(counter, clock);
    std::printf("%.3f %.3f\n", first, other);
    w->Close();
    return 0;
}

QString repeatedManual(int times) {
    const QString manual = zorvikmanual();
    const int a = fw::InStr(manual, QStringLiteral("<body>")) + 6,
              b = fw::InStr(manual, QStringLiteral("</body"));
    const QString body = fw::Mid(manual, a, b - a);
    QString text = fw::Left(manual, a - 1);
    for (int i = 0; i < times; ++i) text += body;
    return text + fw::Mid(manual, b);
}

// One topic of `tags` tags (a multiple of 12): styles, links, a list and a quotation, line by line.
QString longTopic(int tags) {
    QString body = QStringLiteral("<body><a name=\"Long\"></a>");
    const QString line = QStringLiteral(
        "Roll <b>six</b> dice, <i>keep</i> the <u>1s</u>; see <a href=\"#Long\">this</a> and "
        "<a href=\"https://zorvik.example/\">the site</a>.\r<ul><li>a die</ul><blockquote>quoted\r"
        "</blockquote>");
    for (int i = 0; i < tags / 12; ++i) body += line;
    return body + QStringLiteral("</body>");
}

// `count` topics, every other one a subtopic: "T1", "T1:S2", "T3", "T3:S4" ..
QString manyTopics(int count) {
    QString body = QStringLiteral("<body>");
    for (int i = 1; i <= count; ++i)
        body += i % 2 ? QStringLiteral("<a name=\"T%1\"></a>Topic %1 <b>text</b>\r").arg(i)
                      : QStringLiteral("<a name=\"T%1:S%2\"></a>Subtopic %2\r").arg(i - 1).arg(i);
    return body + QStringLiteral("</body>");
}

double msSince(const QElapsedTimer& clock) { return double(clock.nsecsElapsed()) / 1e6; }

helpWindow* freshWindow() {
    if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
    return helpWindow::get();
}

void largeManuals(int runs) {
    for (int tags : {1500, 6000, 24000}) {
        const QString manual = longTopic(tags);
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            helpWindow* w = freshWindow();
            QElapsedTimer clock;
            clock.start();
            w->helpInit(manual);
            ms.push_back(msSince(clock));
        }
        std::printf("convert one topic of %5d tags: median %8.1f ms\n", tags, median(ms));
    }
    for (int count : {375, 1500, 6000}) {
        helpWindow* w = freshWindow();
        QElapsedTimer load;
        load.start();
        w->helpInit(manyTopics(count));
        const double loaded = msSince(load);
        QString lastTop, lastSub;
        for (int i = 1; i <= w->helpTopic.ubound(); ++i)
            (w->helpIndent[i] ? lastSub : lastTop) = w->helpTopic[i];
        std::vector<double> top, sub;
        for (int i = 0; i < runs; ++i) {
            // The last top-level topic's row, then the last subtopic inside its closed folder.
            w->topicsList->setListIndex(0);
            QElapsedTimer clock;
            clock.start();
            w->helpShowTopic(lastTop);
            top.push_back(msSince(clock));
            w->topicsList->setListIndex(0);
            clock.restart();
            w->helpShowTopic(lastSub);
            sub.push_back(msSince(clock));
            if (w->topicsList->Text() != lastSub) std::fprintf(stderr, "the last subtopic is not selected\n");
            w->topicsList->setExpanded(w->topicsList->ListIndex() - 1, false);
        }
        std::printf(
            "%4d topics: convert %7.1f ms; show the last top-level median %6.2f ms, "
            "the last subtopic median %6.2f ms\n",
            count, loaded, median(top), median(sub));
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "large") == 0) {
        QApplication app(argc, argv);
        setUpApplication();
        largeManuals(3);
        return 0;
    }

    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> first, other;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        p.waitForFinished(60000);
        const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 2) {
            std::fprintf(stderr, "run %d gave no measurement\n", i + 1);
            return 1;
        }
        first.push_back(fields[0].toDouble());
        other.push_back(fields[1].toDouble());
    }
    std::printf("fresh processes: %d\n", runs);
    std::printf("Instructions... to first topic painted: median %.1f ms\n", median(first));
    std::printf("another topic to painted:               median %.2f ms\n", median(other));

    setUpApplication();
    for (int times : {1, 4, 16}) {
        const QString manual = repeatedManual(times);
        std::vector<double> ms;
        for (int i = 0; i < std::max(3, runs / 3); ++i) {
            if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
            helpWindow* w = helpWindow::get();
            QElapsedTimer clock;
            clock.start();
            w->helpInit(manual);
            ms.push_back(double(clock.nsecsElapsed()) / 1e6);
            if (i == 0 && w->helpTopic.ubound() != 22 * times)
                std::fprintf(stderr, "unexpected topic count\n");
        }
        std::printf("convert manual x%-2d (%6lld characters, %4d topics): median %8.1f ms\n", times,
                    static_cast<long long>(manual.size()), 22 * times, median(ms));
    }

    // Anchors that all bear one name: each takes the next run of digits ("Rules", "Rules1", "Rules12" ..).
    for (int count : {250, 500, 1000, 2000}) {
        QString body;
        for (int i = 0; i < count; ++i) body += QStringLiteral("<a name=\"Rules\"></a>x");
        if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
        helpWindow* w = helpWindow::get();
        QElapsedTimer clock;
        clock.start();
        w->helpDivideBody(w->helpReplaceMain(body));
        std::printf("divide %4d anchors of one name: %8.1f ms\n", count, double(clock.nsecsElapsed()) / 1e6);
    }
    largeManuals(3);

    // Where the time of the largest conversion goes: the steps of the load pipeline one by one.
    if (auto* open = fw::Window::ifOpen<helpWindow>()) open->Close();
    helpWindow* w = helpWindow::get();
    const QString manual = repeatedManual(16);
    QElapsedTimer step;
    step.start();
    auto lap = [&step](const char* what) {
        std::printf("  x16 %-34s %7.1f ms\n", what, double(step.nsecsElapsed()) / 1e6);
        step.restart();
    };
    w->helpDefaults();
    const QString body = w->helpReplaceMain(w->helpExtractBody(manual));
    lap("body and rewriting");
    w->helpDivideBody(body);
    lap("division into topics");
    w->helpDisplayTopics();
    lap("topic list");
    w->helpField->setVisible(false);
    w->helpParseHTML();
    lap("styled topics");
    for (int i = 0; i < 10000; ++i) fw::yieldToEventLoop();
    lap("10000 loop yields, nothing pending");
    return 0;
}
