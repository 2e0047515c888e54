#pragma once
#include <QByteArray>
#include <QCursor>
#include <QPixmap>
#include <memory>

#include "fw/sound.h"

// The application's resource store: resources compiled into the program, found by kind and
// number (":/picture/168.png" or ".jpg", ":/sound/168.wav", ":/text/168.html", ":/cursor/168.png"
// with its hot spot "x y" in ":/cursor/168.hotspot"). Numbers count per kind. A picture or a cursor
// may come with a twice-size "@2x" twin, which is used on dense screens. The framework links no
// resources of its own: the program registers its store before reading it (base/resources.h).
namespace fw::ResourceFork {

std::shared_ptr<QPixmap> GetPicture(int number);                   // null when the store has none
std::shared_ptr<Sound> GetSound(int number, const QString& name);  // null when none
QByteArray GetResource(const QString& type, int number);           // empty when none; type "TEXT"
std::shared_ptr<QCursor> getCursor(int number);                    // null when none

// How often the store was asked, by kind ("picture", "sound", "TEXT", "cursor").
int requests(const QString& kind);

// Where the store reads from: ":" (the compiled-in resources) unless a test points it at a folder
// laid out the same way.
void setRoot(const QString& folder);
// Tests may say how dense the screen is (2: the twins are used); 0 returns to the screens' own.
void setScreenRatioForTests(qreal ratio);
QString root();

}  // namespace fw::ResourceFork
