// The styled topic builder: each topic's HTML section becomes a display text with style runs and
// a row of the link tables, built by appending at the insertion point of the hidden helpField.
//   "<b>Roll</b> the dice"      -> "Roll the dice", "Roll" bold
//   "<b><i>x</i></b>"           -> Chr(0) "x" Chr(0): adjacent tags leave one Chr(0) each
//   "<ol>\r<li>One\r<li>Two"    -> "\r    1 One\r    2 Two"
#include "fw/clock.h"
#include "fw/editfield.h"
#include "fw/text.h"
#include "help/helpwindow.h"

using namespace fw;

namespace {
enum class ListKind { None, Ordered, Unordered };

const QString kFour = QStringLiteral("    ");

// A chunk of a quotation: each of its lines indented by four blanks, no blanks after its end.
QString quoted(const QString& chunk) {
    const QString cr = Chr(13);
    if (InStr(chunk, cr) == 0) return kFour + chunk;
    QString r = ReplaceAll(chunk, cr, cr + kFour);
    if (Right(r, 4) == kFour) r = Left(r, Len(r) - 4);
    return r;
}
}  // namespace

void helpWindow::helpParseHTML() {
    EditField* f = helpField;
    int itemCounter = 0;
    int slot = 0;
    for (int i = 1; i <= helpTopic.ubound(); ++i) {
        f->setText(QString());
        f->setSelBold(false);
        f->setSelItalic(false);
        f->setSelUnderline(false);
        f->setSelTextColor(QColor(0, 0, 0));
        bool inBlockquote = false;
        bool linkInTopic = false;
        int filled = 0;  // slots 1..filled of row i hold a target, the rest are free
        QString target;
        ListKind listKind = ListKind::None;

        QString s = helpText[i];
        int crs = 0;
        while (crs < s.size() && s.at(crs) == QChar(13)) {
            ++crs;
            yieldToEventLoop();
        }
        s.remove(0, crs);

        int p = InStr(s, QStringLiteral("<"));
        f->setSelText(p == 0 ? s : Left(s, p - 1));
        while (p > 0) {
            const int q = InStr(p, s, QStringLiteral(">"));
            if (q == 0) break;
            const QString tag = Mid(s, p + 1, q - p - 1);
            auto is = [&tag](const char* name) { return textEquals(tag, QLatin1String(name)); };
            if (textEquals(Left(tag, 7), QStringLiteral("a href="))) {
                target = Mid(s, p + 9, q - p - 10);
                helpURL.redim(i, helpMaxURLs);
                helpURLPos.redim(i, helpMaxURLs);
                helpURLlen.redim(i, helpMaxURLs);
                // What helpReturnTopURL(i) answers, without a walk over the row per link: the
                // row is new with this topic and its targets fill it from slot 1 upward.
                auto topURL = [&] { return filled + 1 <= helpMaxURLs ? filled + 1 : helpMaxURLs; };
                if (topURL() == helpMaxURLs) ++helpMaxURLs;
                helpURL.redim(i, helpMaxURLs);
                helpURLPos.redim(i, helpMaxURLs);
                helpURLlen.redim(i, helpMaxURLs);
                slot = topURL();
                f->setSelBold(true);
                f->setSelUnderline(true);
                if (Left(target, 1) == QStringLiteral("#")) {
                    f->setSelTextColor(helpLinkColor);
                    if (CountFields(target, QStringLiteral(":")) > 1)
                        target = QStringLiteral("#") + NthField(target, QStringLiteral(":"), 2);
                } else {
                    f->setSelTextColor(helpURLColor);
                }
                helpURL(i, slot) = target;
                if (!target.isEmpty()) filled = slot;
                helpURLPos(i, slot) = f->SelStart();
                // A slot freed by an empty target may hold the length of the link before it.
                helpURLlen(i, slot) = 0;
                linkInTopic = true;
            } else if (is("/a")) {
                f->setSelTextColor(QColor(0, 0, 0));
                // An end with no start in this topic has no row to write to.
                if (linkInTopic) helpURLlen(i, slot) = f->SelStart() - helpURLPos(i, slot);
                f->setSelUnderline(false);
                f->setSelBold(false);
            } else if (is("b") || is("/b")) {
                f->setSelBold(is("b"));
            } else if (is("i") || is("/i")) {
                f->setSelItalic(is("i"));
            } else if (is("u") || is("/u")) {
                f->setSelUnderline(is("u"));
            } else if (is("ol")) {
                listKind = ListKind::Ordered;
                itemCounter = 0;
            } else if (is("/ol")) {
                listKind = ListKind::None;
                itemCounter = 0;
            } else if (is("ul")) {
                listKind = ListKind::Unordered;
            } else if (is("/ul")) {
                listKind = ListKind::None;
            } else if (is("li")) {
                if (listKind == ListKind::Ordered) {
                    ++itemCounter;
                    f->setSelText(kFour + Str(itemCounter) + QStringLiteral(" "));
                } else {
                    f->setSelText(kFour + QString(QChar(0x2022)) + QStringLiteral(" "));
                }
            } else if (is("blockquote")) {
                inBlockquote = true;
            } else if (is("/blockquote")) {
                inBlockquote = false;
            }

            p = InStr(q, s, QStringLiteral("<"));
            if (p == q + 1) f->setSelText(Chr(0));
            QString chunk = p > 0 ? Mid(s, q + 1, p - q - 1) : Mid(s, q + 1);
            if (inBlockquote) chunk = quoted(chunk);
            if (chunk == kFour) chunk.clear();
            f->setSelText(chunk);
            yieldToEventLoop();
        }
        helpText[i] = helpReplaceLater(f->Text());
        helpStyle[i] = f->TextStyleData();
        yieldToEventLoop();
    }
    f->setText(QString());
}
