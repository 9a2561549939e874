#pragma once
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QObject;

namespace data {

enum class FileHealth { Sound, Damaged, Unknown };

// SQLite's quick check of the database file at `path`, on a read-only
// connection of its own. Unknown when the check could not run to its end
// (the file is missing or busy, or `cancel` was set).
FileHealth quickCheck(const QString& path, const std::atomic<bool>* cancel = nullptr);

// Runs quickCheck on a thread of its own, so that a large file does not hold
// up the windows, and hands the result to `done` on `context`'s thread
// (`context` must outlive this object).
// Destroying it (or stop()) cuts a check short and waits for its thread; a
// result not yet delivered is then dropped.
class BackgroundQuickCheck {
public:
    BackgroundQuickCheck();
    ~BackgroundQuickCheck();
    BackgroundQuickCheck(const BackgroundQuickCheck&) = delete;
    BackgroundQuickCheck& operator=(const BackgroundQuickCheck&) = delete;

    void start(const QString& path, QObject* context, std::function<void(FileHealth)> done);
    void stop();
    bool isRunning() const;

private:
    struct State;
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace data
