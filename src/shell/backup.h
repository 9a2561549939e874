#pragma once
// File > Backup and File > Restore from Backup: the whole database file is
// copied to a backup file of the user's choosing, and a chosen backup is
// copied back into the database.
//
// `dialogFileName` is the file dialog's name kept between uses: backup
// proposes "Corvanel.bak", restore starts from whatever was chosen last, and
// both store the name chosen. A cancelled dialog or a "No" ends silently;
// every real failure is shown once, with its reason.

#include <QString>
#include <memory>

class QWidget;

namespace data {
class BackupSource;
class Connection;
class DbError;
}  // namespace data
namespace ui {
class Form;
}

namespace shell {

inline constexpr const char* backupFilter = "Backup (*.bak)|*.bak";
inline constexpr const char* defaultBackupName = "Corvanel.bak";

// Copies the database file byte for byte to the chosen file. The copy is
// taken under a read lock (no write can be half done in it), written beside
// the target under a temporary name, flushed to disk, checked, and then
// renamed over the target, so a failure, or a damaged database, leaves an
// earlier backup of that name intact.
void backupDatabase(QWidget* parent, QString& dialogFileName);

// Restores a backup into the live database. The chosen file is checked
// first (see chooseBackup); one that fails leaves the database unchanged. A
// good one is copied in with SQLite's online backup over `liveConnection`,
// all or nothing, so every connection of the program sees the restored data
// at once. Refused while windows other than `mainWindow` are open, since
// they would write their stale data into the restored database.
void restoreDatabase(QWidget* parent, QString& dialogFileName, data::Connection& liveConnection,
                     const ui::Form* mainWindow);

// The open dialog and the checks of a restore: the ".bak" ending, the file's
// existence, and that it is a whole backup of this program (not damaged, not
// from a newer version, no table or column missing), each refusal told in
// its own words. Nothing when the dialog was cancelled or the file refused.
std::unique_ptr<data::BackupSource> chooseBackup(QWidget* parent, QString& dialogFileName);

// At start, when the database at `databasePath` cannot be used (`problem`
// says why: it is damaged, or lacks tables or columns): offers to restore a
// backup in its place, with the checks and messages of File > Restore from
// Backup, until the user restores one or declines. The unusable file is
// kept beside it under a name that says why and when. True when a backup
// took its place.
bool offerBackupInPlace(const QString& databasePath, const data::DbError& problem, QString& dialogFileName);

}  // namespace shell
