#pragma once
// The base of the tests that open screens or use the record classes. Each
// test case gets a new application folder, a scripted platform and,
// unless it asks otherwise, a fresh database with a connection of the
// test's own; afterwards every form is gone, the screens the subsystems
// registered are forgotten and the application folder is back to the
// program's. A scripted answer that no question used fails the test.
//
// Its init() and cleanup() slots give every test case the fixture with a
// fresh open database. A test class that wants another (no database, one
// it opens itself, screens registered, rows seeded) writes its own init()
// and calls initScreenTest() there; QtTest then runs that one instead. The
// slots are protected: QtTest runs a class's private slots as tests.

#include "support/fakeplatform.h"

#include "data/connection.h"

#include <QObject>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

class ScreenTest : public QObject {
    Q_OBJECT

protected slots:
    void init() { initScreenTest(); }
    void cleanup() { cleanupScreenTest(); }

protected:
    enum class Database {
        Open,  // made and opened as `db`
        Made,  // made; the test opens connections of its own
        None,  // not made: the program makes it, or needs none
    };
    // `registrations` register screens, as the subsystems do at start-up,
    // for the windows that open others by name.
    void initScreenTest(Database database = Database::Open, std::initializer_list<void (*)()> registrations = {});
    void cleanupScreenTest();

    std::unique_ptr<QTemporaryDir> dir;  // the application folder
    std::unique_ptr<FakePlatform> fake;
    data::Connection db;
};
