#include "backup.h"

#include "data/appfolder.h"
#include "data/backupfile.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "ui/form.h"
#include "ui/forms.h"
#include "ui/platform.h"

#include <QDateTime>
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

void refuseBackup(const QString& text) { ui::msgBox(text, ui::Buttons::Ok, importErrorTitle); }

QString refusalMessage(const QString& source, const data::BackupRefusal& refusal)
{
    using Kind = data::BackupRefusal::Kind;
    switch (refusal.kind) {
    case Kind::NotOurs: break;
    case Kind::Damaged:
        return QStringLiteral("The backup \"%1\" is damaged, so it was not restored. The database was left "
                              "unchanged.")
            .arg(shown(source));
    case Kind::Newer:
        return QStringLiteral("The backup \"%1\" was made by a newer version of Corvanel (database version %2; "
                              "this version reads version %3 and older), so it was not restored. The database was "
                              "left unchanged.")
            .arg(shown(source))
            .arg(refusal.version)
            .arg(data::schemaVersion);
    case Kind::Incomplete:
        return QStringLiteral("The backup \"%1\" is not a whole Corvanel database: it has no %2. It was not "
                              "restored; the database was left unchanged.")
            .arg(shown(source), data::describeMissing(refusal.missing));
    }
    return QStringLiteral("Not a Backup of database file");
}

QString theDatabase(const QString& path) { return QStringLiteral("the database \"%1\"").arg(shown(path)); }

// A restore that failed; `troubled` names the file the failure is about (the
// database, or the backup itself as it was opened) and `unchanged` says what
// became of the database.
QString restoreFailure(const QString& source, const data::DbError& e, const QString& unchanged, const QString& troubled)
{
    QString why;
    switch (data::failureKind(e)) {
    case data::Failure::InUse:
        why = QStringLiteral("%1 is in use by another program. Please try again when that program has finished.")
                  .arg(troubled);
        break;
    case data::Failure::ReadOnly:
        why = QStringLiteral("%1 cannot be written: the file or its folder is read-only.").arg(troubled);
        break;
    case data::Failure::DiskFull:
        why = QStringLiteral("there is no room left on the disk that holds %1.").arg(troubled);
        break;
    default:
        why = e.message();
        if (!why.endsWith(QLatin1Char('.')))
            why += QLatin1Char('.');
        break;
    }
    return QStringLiteral("The backup \"%1\" could not be restored: %2 %3").arg(shown(source), why, unchanged);
}

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

std::unique_ptr<data::BackupSource> chooseBackup(QWidget* parent, QString& dialogFileName)
{
    ui::FileDialogOptions options;
    options.filter = QString::fromLatin1(backupFilter);
    options.fileName = dialogFileName;
    const std::optional<QString> chosen = ui::platform().openFileName(parent, options);
    if (!chosen || chosen->isEmpty())
        return nullptr;
    dialogFileName = *chosen;
    const QString source = *chosen;

    if (source.right(4) != QLatin1String(".bak")) {
        refuseBackup(QStringLiteral("Not a Backup of database file"));
        return nullptr;
    }
    if (!fileExists(source)) {
        ui::msgBox(QStringLiteral("File not found."), ui::Buttons::Ok, importTitle);
        return nullptr;
    }
    if (sameFile(source, data::databasePath())) {
        ui::msgBox(QStringLiteral("That file is the database itself; there is nothing to restore."), ui::Buttons::Ok,
                   importTitle);
        return nullptr;
    }
    try {
        data::BackupRefusal refusal;
        std::unique_ptr<data::BackupSource> backup = data::BackupSource::open(source, refusal);
        if (!backup)
            refuseBackup(refusalMessage(source, refusal));
        return backup;
    } catch (const data::DbError& e) {
        refuseBackup(restoreFailure(source, e, QStringLiteral("The database was left unchanged."),
                                    QStringLiteral("the backup \"%1\"").arg(shown(source))));
        return nullptr;
    }
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

    const std::unique_ptr<data::BackupSource> backup = chooseBackup(parent, dialogFileName);
    if (!backup)
        return;
    try {
        backup->restoreInto(liveConnection);
    } catch (const data::DbError& e) {
        refuseBackup(restoreFailure(dialogFileName, e, QStringLiteral("The database was left unchanged."),
                                    theDatabase(data::databasePath())));
        return;
    }
    ui::msgBox(QStringLiteral("Data File Imported"), ui::Buttons::Ok, successTitle);
}

bool offerBackupInPlace(const QString& databasePath, const data::DbError& problem, QString& dialogFileName)
{
    const auto* incomplete = dynamic_cast<const data::IncompleteDatabaseError*>(&problem);
    const QString why = incomplete ? QStringLiteral("incomplete") : QStringLiteral("damaged");
    const QDateTime foundAt = QDateTime::currentDateTime();
    const QString state =
        incomplete ? QStringLiteral("is not a whole Corvanel database: it has no %1. Corvanel cannot start with it")
                         .arg(data::describeMissing(incomplete->missing()))
                   : QStringLiteral("is damaged, so Corvanel cannot start with it");
    for (;;) {
        const QString aside = data::asideName(databasePath, why, foundAt);
        const QString question =
            QStringLiteral("The database \"%1\" %2.\n\nRestore a backup in its place now? The %3 file is kept "
                           "beside it as \"%4\". No ends the program and leaves the file as it is.")
                .arg(shown(databasePath), state, why, QFileInfo(aside).fileName());
        if (ui::msgBox(question, ui::Buttons::YesNo, ui::applicationTitle()) != ui::Answer::Yes)
            return false;
        std::unique_ptr<data::BackupSource> backup = chooseBackup(nullptr, dialogFileName);
        if (!backup)
            continue;
        try {
            backup->replaceDatabaseFile(databasePath, aside);
        } catch (const data::DbError& e) {
            refuseBackup(restoreFailure(dialogFileName, e,
                                        QStringLiteral("The %1 database was left as it was.").arg(why),
                                        theDatabase(databasePath)));
            continue;
        }
        ui::msgBox(QStringLiteral("Data File Imported"), ui::Buttons::Ok, successTitle);
        return true;
    }
}

}  // namespace shell
