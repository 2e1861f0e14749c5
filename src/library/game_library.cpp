#include "game_library.h"

#include "file_head.h"

#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <tuple>
#include <utility>

namespace brx {

GameLibrary::GameLibrary(QObject *parent) : QObject(parent) {
    connect(&watcher_, &QFutureWatcherBase::finished, this, &GameLibrary::take);
}

// The scan holds nothing of ours: left running, it finishes on its own and its result is
// dropped.
GameLibrary::~GameLibrary() = default;

void GameLibrary::scan(const Environment &env, IdentifyWad identify) {
    if (scanning())
        return;
    taken_ = false;
    auto promise = std::make_shared<QPromise<std::pair<Found, ScanCache>>>();
    watcher_.setFuture(promise->future());
    promise->start();
    const bool first = !cache_read_ && !cache_file_.isEmpty();
    cache_read_ = true;
    QThreadPool::globalInstance()->start([promise, env, identify = std::move(identify),
                                          cache = cache_, file = cache_file_, first]() mutable {
        // The file as it was: a damaged or foreign one is left out of the scan and replaced.
        QByteArray stored;
        if (first) {
            stored = file_head(file, scan_cache_read);
            cache = read_scan_cache(stored);
        } else if (!file.isEmpty()) {
            stored = write_scan_cache(cache);
        }
        Found found = find_games(env, identify, &cache);
        // When it cannot be written it stays as it was: the next process looks a little more.
        if (!file.isEmpty() && write_scan_cache(cache) != stored)
            write_scan_cache_file(file, cache);
        promise->addResult(std::pair{std::move(found), std::move(cache)});
        promise->finish();
    });
}

// The scan may be done already, its result not yet taken.
void GameLibrary::wait() {
    watcher_.waitForFinished();
    take();
}

// Once per scan: after `wait()`, the watcher's own signal comes too.
void GameLibrary::take() {
    if (taken_ || watcher_.future().resultCount() == 0)
        return;
    taken_ = true;
    std::tie(found_, cache_) = watcher_.future().result();
    ready_ = true;
    emit scanned();
}

} // namespace brx
