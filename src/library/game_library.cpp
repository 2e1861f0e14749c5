#include "game_library.h"

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
    QThreadPool::globalInstance()->start(
        [promise, env, identify = std::move(identify), cache = cache_]() mutable {
            Found found = find_games(env, identify, &cache);
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
