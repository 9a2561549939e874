#include "screens.h"

#include <QHash>

namespace shell {

namespace {
QHash<QString, Screen>& table()
{
    static QHash<QString, Screen> t;
    return t;
}
}  // namespace

void registerScreen(const QString& formName, Screen screen) { table().insert(formName, std::move(screen)); }

const Screen* findScreen(const QString& formName)
{
    auto it = table().constFind(formName);
    return it == table().constEnd() ? nullptr : &it.value();
}

void unregisterAllScreens() { table().clear(); }

}  // namespace shell
