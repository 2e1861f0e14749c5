#include "game_library.h"

#include <QPromise>
#include <QThreadPool>

#include <memory>

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
    auto promise = std::make_shared<QPromise<Found>>();
    watcher_.setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, env, identify = std::move(identify)] {
        promise->addResult(find_games(env, identify));
        promise->finish();
    });
}

void GameLibrary::wait() {
    if (!scanning())
        return;
    watcher_.waitForFinished();
    take();
}

// Once per scan: after `wait()`, the watcher's own signal comes too.
void GameLibrary::take() {
    if (taken_ || watcher_.future().resultCount() == 0)
        return;
    taken_ = true;
    found_ = watcher_.future().result();
    ready_ = true;
    emit scanned();
}

} // namespace brx
