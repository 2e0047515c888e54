// The manual converter: cuts out the document body, rewrites a fixed set of tags and entities,
// and divides the body into named topics at its anchors. By example:
//   "<html><body>intro<a name="Rules"></a>Roll.</body>"  -> topic "Rules", text "Roll."
//   a second and a third anchor named Rules              -> topics "Rules1" and "Rules12"
//   "<a name="Scoring:Triples"></a>..."                  -> subtopic "Triples"
//   "<h2>Goal</h2>" -> "<b>Goal</b>";  "&lt;b&gt;" -> Chr(9) "b" Chr(7), shown as "<b>"
#include <QHash>
#include <QPair>
#include <QSet>

#include "fw/clock.h"
#include "fw/text.h"
#include "help/helpwindow.h"

using namespace fw;

QString helpWindow::helpExtractBody(const QString& s) {
    const int a = InStr(s, QStringLiteral("<body"));
    const int b = InStr(s, QStringLiteral("</body"));
    if (a == 0 || b == 0) return QString();
    return Mid(s, a, b - a);
}

QString helpWindow::helpReplaceMain(const QString& s) {
    QString r = s;
    for (int n = 1; n <= 6; ++n) {
        r = ReplaceAll(r, QStringLiteral("<h%1>").arg(n), QStringLiteral("<b>"));
        r = ReplaceAll(r, QStringLiteral("</h%1>").arg(n), QStringLiteral("</b>"));
        yieldToEventLoop();
    }
    const QString cr = Chr(13);
    r = ReplaceAll(r, cr + cr, cr);
    r = ReplaceAll(r, QStringLiteral("<p>"), cr);
    r = ReplaceAll(r, QStringLiteral("<br>"), QString());
    r = ReplaceAll(r, QStringLiteral("</p>"), QString());
    r = ReplaceAll(r, QStringLiteral("<hr>"), QString(40, u'-'));
    r = ReplaceAll(r, QString(QChar(0x201C)), Chr(34));
    r = ReplaceAll(r, QString(QChar(0x201D)), Chr(34));
    r = ReplaceAll(r, QString(QChar(0x2018)), QStringLiteral("'"));
    r = ReplaceAll(r, QString(QChar(0x2019)), QStringLiteral("'"));
    r = ReplaceAll(r, QStringLiteral("&quot;"), Chr(34));
    r = ReplaceAll(r, QStringLiteral("&gt;"), Chr(7));
    r = ReplaceAll(r, QStringLiteral("&lt;"), Chr(9));
    r = ReplaceAll(r, QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return r;
}

namespace {
// The text after the first "</a>" of f; from the fourth character on when f holds none.
QString afterAnchorEnd(const QString& f) { return Mid(f, InStr(f, QStringLiteral("</a>")) + 4); }

// The fields of s between occurrences of sep (compared without regard to case), found in one pass.
QStringList fieldsOf(const QString& s, const QString& sep) {
    QStringList fields;
    int from = 0;
    for (;;) {
        const int at = InStr(from + 1, s, sep) - 1;
        if (at < 0) break;
        fields << s.mid(from, at - from);
        from = at + int(sep.size());
    }
    fields << s.mid(from);
    return fields;
}
}  // namespace

void helpWindow::helpDivideBody(const QString& body) {
    const QString anchor = QStringLiteral("<a name=");
    const int n = CountFields(body, anchor);
    if (n < 2) {
        helpAddSection(helpExtractName(body), afterAnchorEnd(body), false);
        return;
    }
    const QStringList fields = fieldsOf(body, anchor);
    // The names taken so far, folded to one case: the same answer as asking helpReturnIndex for
    // each candidate, without a scan of every topic per candidate.
    QSet<QString> taken;
    for (int i = 1; i <= helpTopic.ubound(); ++i)
        if (!helpTopic[i].isEmpty()) taken.insert(helpTopic[i].toCaseFolded());
    // Per base name (folded), the count k and digits "12..k" its last candidate reached. Names
    // are only ever taken, never freed, so every candidate before that one is still taken: the
    // next duplicate resumes there instead of trying "Rules", "Rules1", "Rules12" .. again.
    QHash<QString, QPair<int, QString>> reached;
    for (int i = 2; i <= n; ++i) {
        const QString& f = fields.at(i - 1);
        QString name = helpExtractName(f);
        const QString text = afterAnchorEnd(f);
        bool indent = false;
        if (InStr(name, QStringLiteral(":")) > 0) {
            name = NthField(name, QStringLiteral(":"), 2);
            indent = true;
        }
        if (!name.isEmpty()) {
            auto& [k, digits] = reached[name.toCaseFolded()];
            while (taken.contains((name + digits).toCaseFolded())) {
                ++k;
                digits += Str(k);
                yieldToEventLoop();
            }
            name += digits;
        }
        helpAddSection(name, text, indent);
        if (!name.isEmpty()) taken.insert(name.toCaseFolded());
        yieldToEventLoop();
    }
}

QString helpWindow::helpExtractName(const QString& s) {
    const QString t = Left(s, InStr(s, QStringLiteral(">")));
    const int a = InStr(t, Chr(34));
    const int b = InStr(a + 1, t, Chr(34));
    return Mid(t, a + 1, b - a - 1);
}

void helpWindow::helpAddSection(const QString& name, const QString& text, bool indent) {
    const int i = helpText.ubound() + 1;
    helpText.redim(i);
    helpStyle.redim(i);
    helpTopic.redim(i);
    helpIndent.redim(i);
    helpText[i] = text;
    helpStyle[i] = QString();
    helpTopic[i] = name;
    helpIndent[i] = indent;
    // The first topic of a name is the one found by it.
    if (!name.isEmpty() && !topicIndex_.contains(name.toCaseFolded()))
        topicIndex_.insert(name.toCaseFolded(), i);
}

QString helpWindow::helpReplaceLater(const QString& s) {
    QString r = s;
    r.replace(QChar(7), QLatin1Char('>'));
    r.replace(QChar(9), QLatin1Char('<'));
    return r;
}
