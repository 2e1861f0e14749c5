// A test class whose every test function runs with a temporary folder of its own as the
// current directory, and leaves the current directory as it found it.
#pragma once

#include <QDir>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

namespace brx {

class InOwnFolder : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(elsewhere_.path())); }
    void cleanup() { QDir::setCurrent(initial_dir_); }

protected:
    const QString initial_dir_ = QDir::currentPath();
    QTemporaryDir elsewhere_; // the current directory during each test
};

} // namespace brx
