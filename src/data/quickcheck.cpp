#include "quickcheck.h"

#include "dberror.h"

#include <QMetaObject>
#include <QObject>
#include <sqlite3.h>

namespace data {

namespace {
int stopWhenCancelled(void* flag) { return static_cast<const std::atomic<bool>*>(flag)->load() ? 1 : 0; }
}  // namespace

FileHealth quickCheck(const QString& path, const std::atomic<bool>* cancel)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    FileHealth health = FileHealth::Unknown;
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, busyTimeoutMs());
        if (cancel)
            sqlite3_progress_handler(db, 1000, stopWhenCancelled, const_cast<std::atomic<bool>*>(cancel));
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &st, nullptr);
        if (rc == SQLITE_OK) {
            // One row "ok" for a sound file; one row per problem otherwise.
            bool sound = true;
            int rows = 0;
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
                ++rows;
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                if (!text || qstrcmp(text, "ok") != 0)
                    sound = false;
            }
            if (rc == SQLITE_DONE)
                health = (sound && rows > 0) ? FileHealth::Sound : FileHealth::Damaged;
        }
        sqlite3_finalize(st);
    }
    const int primary = rc & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        health = FileHealth::Damaged;
    sqlite3_close_v2(db);
    return health;
}

struct BackgroundQuickCheck::State {
    std::atomic<bool> cancel{false};
    std::atomic<bool> running{false};
};

BackgroundQuickCheck::BackgroundQuickCheck() = default;

BackgroundQuickCheck::~BackgroundQuickCheck() { stop(); }

void BackgroundQuickCheck::start(const QString& path, QObject* context, std::function<void(FileHealth)> done)
{
    stop();
    auto state = std::make_shared<State>();
    state->running = true;
    state_ = state;
    thread_ = std::thread([state, path, context, done = std::move(done)] {
        const FileHealth health = quickCheck(path, &state->cancel);
        // The context outlives this object, whose end joins the thread; a
        // call posted to it is dropped if it goes before the call is run.
        if (!state->cancel && context)
            QMetaObject::invokeMethod(
                context,
                [state, done, health] {
                    if (!state->cancel && done)
                        done(health);
                },
                Qt::QueuedConnection);
        state->running = false;
    });
}

void BackgroundQuickCheck::stop()
{
    if (state_)
        state_->cancel = true;
    if (thread_.joinable())
        thread_.join();
    state_.reset();
}

bool BackgroundQuickCheck::isRunning() const { return state_ && state_->running; }

}  // namespace data
