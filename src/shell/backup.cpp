#include "backup.h"

#include "data/appfolder.h"
#include "data/backupfile.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "ui/form.h"
#include "ui/forms.h"
#include "ui/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <sys/stat.h>

namespace shell {

namespace {

const QString takeBackupTitle = QStringLiteral("Take Backup");
const QString importTitle = QStringLiteral("File Import");
const QString importErrorTitle = QStringLiteral("Error while importing");
const QString successTitle = QStringLiteral("Success");

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// True when both names lead to one file (also through links).
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// The old file system object's FileExists: true for files, not for folders.
bool fileExists(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace

void backupDatabase(QWidget* parent, QString& dialogFileName)
{
    dialogFileName = QString::fromLatin1(defaultBackupName);
    ui::FileDialogOptions options;
    options.filter = QString::fromLatin1(backupFilter);
    options.fileName = dialogFileName;
    const std::optional<QString> chosen = ui::platform().saveFileName(parent, options);
    if (!chosen || chosen->isEmpty())
        return;
    dialogFileName = *chosen;
    const QString target = *chosen;

    if (sameFile(target, data::databasePath())) {
        ui::msgBox(QStringLiteral("The backup cannot be written over the database file itself. "
                                  "Choose another name for the backup."),
                   ui::Buttons::Ok, takeBackupTitle);
        return;
    }
    if (fileExists(target) && ui::msgBox(QStringLiteral("File already Exists. Overwrite it?"), ui::Buttons::YesNo,
                                         takeBackupTitle) != ui::Answer::Yes)
        return;

    try {
        data::copyDatabaseFile(data::databasePath(), target);
    } catch (const data::BackupCopyError& e) {
        ui::msgBox(e.message(), ui::Buttons::Ok, takeBackupTitle);
        return;
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("No backup was made: %1").arg(e.message()), ui::Buttons::Ok, takeBackupTitle);
        return;
    }
    ui::msgBox(QStringLiteral("Data File Exported"), ui::Buttons::Ok, successTitle);
}

void restoreDatabase(QWidget* parent, QString& dialogFileName, data::Connection& liveConnection,
                     const ui::Form* mainWindow)
{
    // An open screen keeps the old data in its boxes and would write it into
    // the restored database.
    for (const ui::Form* f : ui::loadedForms()) {
        if (f != mainWindow) {
            ui::msgBox(QStringLiteral("Close the other windows of the program before restoring a backup."),
                       ui::Buttons::Ok, importTitle);
            return;
        }
    }

    ui::FileDialogOptions options;
    options.filter = QString::fromLatin1(backupFilter);
    options.fileName = dialogFileName;
    const std::optional<QString> chosen = ui::platform().openFileName(parent, options);
    if (!chosen || chosen->isEmpty())
        return;
    dialogFileName = *chosen;
    const QString source = *chosen;

    if (source.right(4) != QLatin1String(".bak")) {
        ui::msgBox(QStringLiteral("Not a Backup of database file"), ui::Buttons::Ok, importErrorTitle);
        return;
    }
    if (!fileExists(source)) {
        ui::msgBox(QStringLiteral("File not found."), ui::Buttons::Ok, importTitle);
        return;
    }
    if (sameFile(source, data::databasePath())) {
        ui::msgBox(QStringLiteral("That file is the database itself; there is nothing to restore."), ui::Buttons::Ok,
                   importTitle);
        return;
    }

    try {
        const std::unique_ptr<data::BackupSource> backup = data::BackupSource::open(source);
        if (!backup) {
            ui::msgBox(QStringLiteral("Not a Backup of database file"), ui::Buttons::Ok, importErrorTitle);
            return;
        }
        backup->restoreInto(liveConnection);
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("The backup \"%1\" could not be restored: %2. The database was left unchanged.")
                       .arg(shown(source), e.message()),
                   ui::Buttons::Ok, importErrorTitle);
        return;
    }
    ui::msgBox(QStringLiteral("Data File Imported"), ui::Buttons::Ok, successTitle);
}

}  // namespace shell
