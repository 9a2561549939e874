#include "events.h"

#include "platform.h"

#include "data/dberror.h"

#include <cstdio>
#include <exception>

namespace ui {

void reportFailure(const QString& message)
{
    std::fprintf(stderr, "corvanel: %s\n", qPrintable(message));
    try {
        msgBox(message, Buttons::Ok, applicationTitle());
    } catch (...) {
        // Nothing more can be done for the user; the action is abandoned.
    }
}

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const data::DbError& e) {
        reportFailure(e.message());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("An unexpected error stopped this action."));
    }
    return false;
}

}  // namespace ui
