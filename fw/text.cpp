#include "fw/text.h"

#include <cmath>

#include "fw/random.h"

namespace fw {

QString Str(qint64 n) { return QString::number(n); }

double Val(const QString& s) {
    // Leading blanks, an optional sign, digits with at most one decimal point, an optional exponent.
    int i = 0;
    const int n = s.size();
    while (i < n && (s[i] == u' ' || s[i] == u'\t')) ++i;
    const int start = i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    int digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i, ++digits;
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i, ++digits;
    }
    if (digits == 0) return 0;
    int end = i;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        int j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) ++j;
        if (j < n && s[j].isDigit()) {
            while (j < n && s[j].isDigit()) ++j;
            end = j;
        }
    }
    bool ok = false;
    const double v = s.mid(start, end - start).toDouble(&ok);
    // Beyond a double's range the number is infinite with its sign ("1e400", 400 digits), never 0.
    if (std::isinf(v)) return v;
    return ok ? v : 0;
}

int ValInt(const QString& s) { return toInt32(Val(s)); }

int Len(const QString& s) { return int(s.size()); }

QString Left(const QString& s, int n) { return n <= 0 ? QString() : s.left(n); }

QString Right(const QString& s, int n) { return n <= 0 ? QString() : s.right(n); }

QString Mid(const QString& s, int start) { return Mid(s, start, Len(s)); }

QString Mid(const QString& s, int start, int length) {
    if (start < 1 || length <= 0 || start > Len(s)) return QString();
    return s.mid(start - 1, length);
}

int InStr(const QString& s, const QString& find) { return InStr(1, s, find); }

namespace {
// A text of ASCII characters other than letters ("<", CR, "\"") is found the same with or without
// regard to case; the case-blind search folds every character it passes and is much slower.
Qt::CaseSensitivity caseFor(const QString& find) {
    for (QChar c : find)
        if (c.unicode() >= 128 || c.isLetter()) return Qt::CaseInsensitive;
    return Qt::CaseSensitive;
}

// The first occurrence of find at or after from (0-based), without regard to case. A text that
// begins with an ASCII character other than a letter ("<b>", "&quot;") is looked for by that
// character as it is, and only the rest is compared without regard to case.
qsizetype findFrom(const QString& s, const QString& find, qsizetype from) {
    const Qt::CaseSensitivity cs = caseFor(find);
    const QChar first = find.at(0);
    if (cs == Qt::CaseSensitive || first.unicode() >= 128 || first.isLetter())
        return s.indexOf(find, from, cs);
    const QStringView rest = QStringView(find).mid(1);
    for (qsizetype at = s.indexOf(first, from); at >= 0 && at + find.size() <= s.size();
         at = s.indexOf(first, at + 1))
        if (QStringView(s).mid(at + 1, rest.size()).compare(rest, Qt::CaseInsensitive) == 0) return at;
    return -1;
}
}  // namespace

int InStr(int start, const QString& s, const QString& find) {
    if (start < 1 || start > Len(s) + 1) return 0;
    if (find.isEmpty()) return 0;
    return int(findFrom(s, find, start - 1)) + 1;
}

QString Uppercase(const QString& s) { return s.toUpper(); }

QString ReplaceAll(const QString& s, const QString& find, const QString& with) {
    if (find.isEmpty()) return s;
    QString r;
    qsizetype from = 0;
    for (qsizetype at = findFrom(s, find, 0); at >= 0; at = findFrom(s, find, from)) {
        r += QStringView(s).mid(from, at - from);
        r += with;
        from = at + find.size();
    }
    if (from == 0) return s;
    r += QStringView(s).mid(from);
    return r;
}

int CountFields(const QString& s, const QString& separator) {
    if (s.isEmpty()) return 0;
    if (separator.isEmpty()) return 1;
    int n = 1;
    for (qsizetype at = findFrom(s, separator, 0); at >= 0;
         at = findFrom(s, separator, at + separator.size()))
        ++n;
    return n;
}

QString NthField(const QString& s, const QString& separator, int n) {
    if (n < 1 || s.isEmpty()) return QString();
    if (separator.isEmpty()) return n == 1 ? s : QString();
    int from = 0;
    for (int field = 1;; ++field) {
        const int at = int(findFrom(s, separator, from));
        if (field == n) return at < 0 ? s.mid(from) : s.mid(from, at - from);
        if (at < 0) return QString();
        from = at + int(separator.size());
    }
}

QString Format(double n, const QString& pattern) {
    // The game only uses digit patterns ("######"): the whole number without leading zeros.
    Q_UNUSED(pattern);
    return QString::number(qint64(std::llround(n)));
}

QString Chr(int code) { return code < 0 ? QString() : QString(QChar(char16_t(code))); }

bool textEquals(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace fw
