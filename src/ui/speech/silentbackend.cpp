#include "silentbackend.h"

#include <QTimer>

namespace ui {

void SilentBackend::say(const QString&)
{
    // Later, not inside say(): callers are not ready for finished() yet.
    QTimer::singleShot(0, this, [this, g = ++generation_] {
        if (g == generation_)
            emit finished();
    });
}

void SilentBackend::stop() { ++generation_; }

}  // namespace ui
