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

    // Keeps what the scans learn in this file as well (the cache folder's): the first scan
    // starts from it, so that a new process looks again only into the folders changed since,
    // and a scan that learns something new replaces it. Set before the first scan.
    void keep_cache_in(const QString &file) { cache_file_ = file; }

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
    QString cache_file_;
    bool cache_read_ = false; // the file has been read, by the first scan
    Found found_;
    bool ready_ = false;
    bool taken_ = false; // the scan under way or last done has given its result
};

} // namespace brx
