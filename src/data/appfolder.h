#pragma once
#include <QString>

namespace data {

// The application folder: where the program lies, and where its database,
// help file and character file are found. Tests point it elsewhere.
QString applicationFolder();
void setApplicationFolder(const QString& folder);  // empty: back to the program's folder

// applicationFolder() + "/Corvanel.mdb"
QString databasePath();
inline constexpr const char* databaseFileName = "Corvanel.mdb";

}  // namespace data
