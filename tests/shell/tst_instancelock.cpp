// Where the single-instance lock lives: the user's runtime folder when it is
// usable, the temporary folder otherwise; always named after the real
// application folder.

#include "shell/instancelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class RuntimeDirEnv {
public:
    explicit RuntimeDirEnv(const QByteArray& value)
        : had_(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")), old_(qgetenv("XDG_RUNTIME_DIR"))
    {
        if (value.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", value);
    }
    ~RuntimeDirEnv()
    {
        if (had_)
            qputenv("XDG_RUNTIME_DIR", old_);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

private:
    bool had_;
    QByteArray old_;
};

}  // namespace

class TestInstanceLock : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

private slots:
    void lockFolder_data()
    {
        QTest::addColumn<QString>("runtimeDir");  // "<usable>" stands for a real folder
        QTest::addColumn<bool>("inRuntimeDir");
        QTest::newRow("usable runtime folder") << QStringLiteral("<usable>") << true;
        QTest::newRow("not set") << QString() << false;
        QTest::newRow("empty") << QStringLiteral("") << false;
        QTest::newRow("missing folder") << QStringLiteral("<usable>/gone") << false;
        QTest::newRow("a file, not a folder") << QStringLiteral("<usable>/file") << false;
        QTest::newRow("relative path") << QStringLiteral("run/user") << false;
    }
    void lockFolder()
    {
        QFETCH(QString, runtimeDir);
        QFETCH(bool, inRuntimeDir);
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        {
            QFile f(runtime.filePath(QStringLiteral("file")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        runtimeDir.replace(QStringLiteral("<usable>"), runtime.path());
        RuntimeDirEnv env(runtimeDir.isNull() ? QByteArray() : runtimeDir.toUtf8());

        const QString path = shell::InstanceLock::lockPath(scratch.path());
        const QString expectedFolder = inRuntimeDir ? runtime.path() : QDir::tempPath();
        QCOMPARE(QFileInfo(path).absolutePath(), QDir::cleanPath(expectedFolder));
        QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("corvanel-")));

        // The lock is really taken there, and a second holder is refused.
        shell::InstanceLock first;
        QVERIFY(first.acquire(scratch.path()));
        QVERIFY(first.holds());
        QVERIFY(QFile::exists(path));
        shell::InstanceLock second;
        QVERIFY(!second.acquire(scratch.path()));
    }

    void sameFolderThroughALinkIsOneLock()
    {
        QTemporaryDir runtime;
        RuntimeDirEnv env(runtime.path().toUtf8());
        QTemporaryDir links;
        const QString link = links.filePath(QStringLiteral("appfolder"));
        QVERIFY(QFile::link(scratch.path(), link));
        QCOMPARE(shell::InstanceLock::lockPath(link), shell::InstanceLock::lockPath(scratch.path()));

        QTemporaryDir other;
        QVERIFY(shell::InstanceLock::lockPath(other.path()) != shell::InstanceLock::lockPath(scratch.path()));
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
