// Pictures of the programs' windows for their documentation (tools/screenshots.sh):
// taken once the windows have settled, after which the program quits.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace sw {

// In DELAY_MS, saves a picture to FILE and quits the application (with 1 when the
// picture cannot be written). Without OPENING the picture shows every window the
// program has open, cut to the area they cover. OPENING runs once the event loop has
// started (it may open a modal dialog and wait in it); the picture then shows the
// window it opened alone, after the buttons named in CLICKS (object names) have been
// clicked in it, one after the other. Modal windows still open are closed, so that
// the program can end.
void scheduleScreenshot(QObject* context, const QString& file, std::function<void()> opening = {},
                        const QStringList& clicks = {}, int delayMs = 2000);

}  // namespace sw
