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

class QWidget;

namespace data {
class Connection;
}
namespace ui {
class Form;
}

namespace shell {

inline constexpr const char* backupFilter = "Backup (*.bak)|*.bak";
inline constexpr const char* defaultBackupName = "Corvanel.bak";

// Copies the database file byte for byte to the chosen file. The copy is
// taken under a read lock (no write can be half done in it), written beside
// the target under a temporary name, flushed to disk and then renamed over
// the target, so a failure leaves an earlier backup of that name intact.
void backupDatabase(QWidget* parent, QString& dialogFileName);

// Restores a backup into the live database. The chosen file is checked
// first (an SQLite database of this program, whole and readable); one that
// fails leaves the database unchanged. A good one is copied in with SQLite's
// online backup over `liveConnection`, all or nothing, so every connection
// of the program sees the restored data at once. Refused while windows other
// than `mainWindow` are open, since they would write their stale data into
// the restored database.
void restoreDatabase(QWidget* parent, QString& dialogFileName, data::Connection& liveConnection,
                     const ui::Form* mainWindow);

}  // namespace shell
