// libFuzzer target: fw::fitLines on any text, checking what must hold for every cut: what is kept is
// the start of the text ("\r\n" one line end) with invisible break chances added; no character
// beyond 16 bits is split, by the cut or a break chance; the result, "…" included, takes exactly
// `used` lines of `width` characters, 1 <= used <= lines; it ends with "…" exactly when more than
// line ends were lost, and no added break chance stands right before that "…" (told apart from the
// text's own only when the text has none).
// Byte 0 picks `lines` (1 ... 8), byte 1 `width` (1 ... 48); each further byte one piece of text
// from a small alphabet of letters, blanks, line ends, halves and wholes of surrogate pairs, "…".
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fw/textfit.h"

namespace {

const QChar kEllipsis(0x2026);
using fw::kBreakChance;

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

QString textOf(const std::uint8_t* data, std::size_t size) {
    static const char16_t* const pieces[] = {u"a",          u"b",      u"c",      u" ",      u"\t",
                                             u"\u00A0",     u"\n",     u"\r",     u"\r\n",   u"\u2028",
                                             u"\u2029",     u"\u2026", u"\u200B", u"\xD83D", u"\xDE00",
                                             u"\U0001F600", u"\u00E9", u"aaaaaaa"};
    const std::size_t count = sizeof pieces / sizeof pieces[0];
    QString text;
    for (std::size_t i = 0; i < size; ++i) text += QStringView(pieces[data[i] % count]);
    return text;
}

// Why `out` and `used` are no fit of `norm` (the text with "\r\n" read as "\n") when its first `body`
// characters are the kept text with its break chances, followed by "…" when `ellipsis`; empty when
// they are one.
QString fault(const QString& norm, const QString& out, int used, int lines, int width, qsizetype body,
              bool ellipsis) {
    std::vector<qsizetype> at;  // the output index of each kept character of `norm`
    for (qsizetype o = 0; o < body; ++o) {
        const qsizetype j = qsizetype(at.size());
        if (j < norm.size() && out[o] == norm[j])
            at.push_back(o);
        else if (out[o] != kBreakChance)
            return QStringLiteral("not the start of the text at output %1").arg(o);
    }
    const qsizetype kept = qsizetype(at.size());
    bool lostText = false;
    for (qsizetype j = kept; j < norm.size(); ++j) lostText = lostText || !isLineEnd(norm[j]);
    if (lostText != ellipsis)
        return ellipsis ? QStringLiteral("… without loss") : QStringLiteral("loss without …");
    for (qsizetype j = 0; j + 1 < norm.size(); ++j) {
        if (!norm[j].isHighSurrogate() || !norm[j + 1].isLowSurrogate() || j >= kept) continue;
        if (j + 1 >= kept) return QStringLiteral("a pair cut at %1").arg(j);
        if (at[size_t(j + 1)] != at[size_t(j)] + 1) return QStringLiteral("a pair split at %1").arg(j);
    }
    int rows = 0, run = 0;
    auto endLine = [&] { rows += run == 0 ? 1 : (run + width - 1) / width; };
    for (qsizetype j = 0; j < kept; ++j) {
        if (isLineEnd(norm[j])) {
            endLine();
            run = 0;
        } else if (!norm[j].isLowSurrogate()) {
            ++run;
        }
    }
    if (ellipsis) ++run;
    endLine();
    if (rows > lines) return QStringLiteral("%1 lines for %2").arg(rows).arg(lines);
    if (rows != used) return QStringLiteral("%1 lines taken, %2 told").arg(rows).arg(used);
    return QString();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int lines = 1 + data[0] % 8, width = 1 + data[1] % 48;
    const QString text = textOf(data + 2, size - 2);
    int used = 0;
    const QString out = fw::fitLines(text, lines, width, &used);
    if (used < 1 || used > lines) {
        std::fprintf(stderr, "used %d of %d lines\n", used, lines);
        std::abort();
    }
    QString norm;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'\r' || i + 1 == text.size() || text[i + 1] != u'\n') norm += text[i];
    // A "…" at the end is the text's own or the mark of a loss. Break chances before the end are
    // the text's own or added; only the end tells, so each count of added ones is tried.
    QString why;
    for (const bool ellipsis : {true, false}) {
        if (ellipsis && !out.endsWith(kEllipsis)) continue;
        qsizetype body = out.size() - (ellipsis ? 1 : 0);
        // A break chance right before the "…" of a loss would let a label wrap it onto a line of its own.
        if (ellipsis && body > 0 && out[body - 1] == kBreakChance && !norm.contains(kBreakChance)) {
            if (why.isEmpty()) why = QStringLiteral("a break chance before the …");
            continue;
        }
        for (;; --body) {
            const QString reason = fault(norm, out, used, lines, width, body, ellipsis);
            if (reason.isEmpty()) return 0;
            if (why.isEmpty()) why = reason;
            if (body == 0 || out[body - 1] != kBreakChance) break;
        }
    }
    std::fprintf(stderr, "fitLines(%d lines, %d wide): %s\n", lines, width, qPrintable(why));
    std::abort();
}
