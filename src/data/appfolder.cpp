#include "appfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace data {

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString applicationFolder()
{
    const QString& f = folderOverride();
    return f.isEmpty() ? QCoreApplication::applicationDirPath() : f;
}

void setApplicationFolder(const QString& folder)
{
    folderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString databasePath() { return applicationFolder() + QLatin1Char('/') + QLatin1String(databaseFileName); }

}  // namespace data
