#include "testdatabase.h"

#include "data/appfolder.h"
#include "data/schema.h"

namespace testdb {

void openFresh(std::unique_ptr<QTemporaryDir>& dir, data::Connection& db)
{
    dir = std::make_unique<QTemporaryDir>();
    data::setApplicationFolder(dir->path());
    data::ensureDatabase(data::databasePath());
    db.open(data::databasePath());
}

}  // namespace testdb
