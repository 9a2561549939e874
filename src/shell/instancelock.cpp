#include "instancelock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace shell {

namespace {

// The user's runtime folder is private to the user and emptied at logout,
// the right home for a lock; without a usable one, the temporary folder.
QString lockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QFileInfo info(runtime);
        if (info.isAbsolute() && info.isDir() && info.isWritable())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return QDir::tempPath();
}

}  // namespace

InstanceLock::InstanceLock() = default;
InstanceLock::~InstanceLock() = default;

QString InstanceLock::lockPath(const QString& applicationFolder)
{
    QString canonical = QFileInfo(applicationFolder).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QFileInfo(applicationFolder).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return lockFolder() + QStringLiteral("/corvanel-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

bool InstanceLock::acquire(const QString& applicationFolder) { return acquireFile(lockPath(applicationFolder)); }

bool InstanceLock::acquireFile(const QString& lockFile)
{
    release();
    lock_ = std::make_unique<QLockFile>(lockFile);
    // Only a dead owner makes a lock stale: the program runs for hours, so
    // the lock file's age means nothing.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    const bool heldByOther = lock_->error() == QLockFile::LockFailedError;
    lock_.reset();
    return !heldByOther;
}

bool InstanceLock::holds() const { return lock_ && lock_->isLocked(); }

void InstanceLock::release()
{
    if (lock_)
        lock_->unlock();
    lock_.reset();
}

}  // namespace shell
