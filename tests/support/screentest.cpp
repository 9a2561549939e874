#include "screentest.h"

#include "data/appfolder.h"
#include "data/schema.h"
#include "shell/screens.h"
#include "ui/forms.h"

#include <QTest>

void ScreenTest::initScreenTest(Database database, std::initializer_list<void (*)()> registrations)
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    data::setApplicationFolder(dir->path());
    if (database != Database::None)
        data::ensureDatabase(data::databasePath());
    if (database == Database::Open)
        db.open(data::databasePath());
    fake = std::make_unique<FakePlatform>();
    for (void (*registerScreens)() : registrations)
        registerScreens();
}

void ScreenTest::cleanupScreenTest()
{
    ui::destroyAllForms();
    shell::unregisterAllScreens();
    if (fake)
        fake->verifyAllAnswersUsed();
    db.close();
    fake.reset();
    data::setApplicationFolder(QString());
    dir.reset();
}
