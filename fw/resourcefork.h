#pragma once
#include <QByteArray>
#include <QCursor>
#include <QPixmap>
#include <memory>

#include "fw/sound.h"

// The application's resource store: resources compiled into the program, found by kind and
// number (":/picture/168.png", ":/sound/168.wav", ":/text/168.html", ":/cursor/168.png").
// Numbers count per kind. A picture may come with a twice-size "@2x" file for dense screens.
namespace fw::ResourceFork {

std::shared_ptr<QPixmap> GetPicture(int number);       // null when the store has none
std::shared_ptr<Sound> GetSound(int number, const QString& name);  // null when none
QByteArray GetResource(const QString& type, int number);  // empty when none; type "TEXT"
std::shared_ptr<QCursor> getCursor(int number);         // null when none

// How often the store was asked, by kind ("picture", "sound", "TEXT", "cursor").
int requests(const QString& kind);

}  // namespace fw::ResourceFork
