#include <cmath>

#include "base/resources.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/random.h"
#include "fw/text.h"

namespace globalsModule {
namespace {
void whistle() { playSound(WHISTLEAPPRECIATIVE); }
}  // namespace

QString numWord(int n) {
    static const char* const words[] = {"one", "two", "three", "four", "five", "six"};
    return n >= 1 && n <= 6 ? QString::fromLatin1(words[n - 1]) : QString();
}

int calcRollScore(bool display, bool selectedOnly) {
    int counts[7] = {0, 0, 0, 0, 0, 0, 0};
    int total = 0;
    int g = 1;
    QString rolled;

    // Clear the last scoring; dice on the shelf keep their points but leave their group.
    for (int i = 1; i <= 6; ++i) {
        dieClass& d = dice(i);
        d.link = 0;
        if (!d.save) d.score = 0;
    }
    for (int i = 1; i <= 6; ++i) {
        const dieClass& d = dice(i);
        if (d.save || (selectedOnly && !d.savedThisTurn)) continue;
        if (d.face >= 0 && d.face <= 6) counts[d.face] += 1;
        rolled += fw::Str(d.face) + QLatin1Char(' ');
    }
    if (display) displayMessage(QStringLiteral("You rolled:  ") + rolled, false);

    if (counts[1] == 1 && counts[2] == 1 && counts[3] == 1 && counts[4] == 1 && counts[5] == 1 &&
        counts[6] == 1) {
        total = 2000;
        if (display) displayMessage(QStringLiteral("That's a straight!"), false);
        for (int i = 1; i <= 6; ++i) {
            dice(i).containsPoints = true;
            dice(i).link = 1;
            dice(i).score = 2000;
        }
        if (display) displayMessage(QStringLiteral("Total of this Roll: ") + fw::Str(total), false);
        whistle();
        return total;
    }

    for (int f = 1; f <= 6; ++f) {
        g += 1;
        const int n = counts[f];
        if (n >= 3) {
            // base times 2 to the power (n - 3)
            double p = f == 1 ? 1000 : 100.0 * f;
            if (n >= 4) p *= std::pow(2.0, n - 3);
            const int points = fw::toInt32(p);
            if (points >= 1000) whistle();
            total += points;
            for (int j = 1; j <= 6; ++j) {
                dieClass& d = dice(j);
                if (d.face == f && !d.save) {
                    d.containsPoints = true;
                    d.link = g;
                    d.score = points;
                }
            }
            if (display)
                displayMessage(QStringLiteral("There are ") + numWord(n) + QLatin1Char(' ') + fw::Str(f) +
                                   QStringLiteral("'s"),
                               false);
        } else if (n == 1 || n == 2) {
            const QString prefix = n == 1 ? QStringLiteral("There is ") : QStringLiteral("There are ");
            const QString suffix = n == 1 ? QString() : QStringLiteral("'s");
            int p = 0;
            if (f == 1) {
                p = 100 * n;
                if (display) displayMessage(prefix + numWord(n) + QStringLiteral(" 1") + suffix, false);
            } else if (f == 5) {
                p = 50 * n;
                if (display) displayMessage(prefix + numWord(n) + QStringLiteral(" 5") + suffix, false);
            }
            total += p;
            // Each loose 1 and 5 is a group of its own.
            for (int j = 1; j <= 6; ++j) {
                g += 1;
                dieClass& d = dice(j);
                if (d.save || d.containsPoints) continue;
                if (d.face == 1) {
                    d.containsPoints = true;
                    d.link = g;
                    d.score = 100;
                } else if (d.face == 5) {
                    d.containsPoints = true;
                    d.link = g;
                    d.score = 50;
                }
            }
        }
        fw::yieldToEventLoop();
    }
    if (display) displayMessage(QStringLiteral("Total of this Roll: ") + fw::Str(total), false);
    return total;
}

}  // namespace globalsModule
