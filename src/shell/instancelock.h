#pragma once
#include <QString>
#include <memory>

class QLockFile;

namespace shell {

// Tells whether another instance of the program runs from the same
// application folder. The lock lives in the user's runtime folder
// (XDG_RUNTIME_DIR), or the temporary folder when there is none, under a name
// made from the canonical folder, so a read-only program folder still works.
// A crashed instance leaves a stale lock that the next start removes; a
// lock that cannot be written at all means "no previous instance".
class InstanceLock {
public:
    InstanceLock();
    ~InstanceLock();

    // True when this process now holds the lock, or the lock cannot be
    // written; false when another running instance holds it.
    bool acquire(const QString& applicationFolder);
    // The same on a lock file named directly.
    bool acquireFile(const QString& lockFile);
    bool holds() const;
    void release();

    static QString lockPath(const QString& applicationFolder);

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace shell
