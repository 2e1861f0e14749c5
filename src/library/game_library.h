// The game library as the windows see it: one scan of the machine for engines and IWADs, run
// on a pool thread so that no window waits for the disk, and kept once done. A window asks
// `ready()` and takes `found()`, or waits for `scanned()`.
#pragma once

#include "discovery.h"

#include <QFutureWatcher>
#include <QObject>

namespace brx {

class GameLibrary : public QObject {
    Q_OBJECT
public:
    explicit GameLibrary(QObject *parent = nullptr);
    ~GameLibrary() override;

    // Starts a scan of this environment unless one is under way; what was found stays
    // available until the new scan is done. Folders of IWADs unchanged since the last scan
    // are not looked into again.
    void scan(const Environment &env, IdentifyWad identify = {});

    bool scanning() const { return watcher_.isRunning(); }
    bool ready() const { return ready_; }
    const Found &found() const { return found_; }

    // Waits for the scan under way, for programs without an event loop and for tests.
    void wait();

signals:
    // A scan is done and `found()` holds what it found.
    void scanned();

private:
    void take();

    QFutureWatcher<std::pair<Found, ScanCache>> watcher_;
    ScanCache cache_;
    Found found_;
    bool ready_ = false;
    bool taken_ = false; // the scan under way or last done has given its result
};

} // namespace brx
