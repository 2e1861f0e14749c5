// Small helpers the tests share: files, a folder of its own for each test function, and a
// stand-in engine.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

namespace brx {

// Long enough for a loaded machine; only a failing test waits this long.
constexpr int patience = 20000;

// Data-driven rows whose values travel in one column, a tuple: rows<Row>() declares it,
// QTest::newRow(name) << Row{...} adds a row, and fetch<Row>() reads the current one, as in
// const auto [a, b] = fetch<Row>().
template <typename Row> void rows() {
    QTest::addColumn<Row>("row");
}
template <typename Row> Row fetch() {
    return *static_cast<const Row *>(QTest::qData("row", qMetaTypeId<Row>()));
}

// Writes the file, and the folders to it.
inline void write_file(const QString &path, const QByteArray &bytes = {},
                       QFile::Permissions extra = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.setPermissions(file.permissions() | extra))
        qFatal("cannot write %s", qPrintable(path));
}

// The file's bytes, or nothing when it cannot be read.
inline QByteArray read_file(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The path with every link resolved, for comparing folders however they were reached.
inline QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

// A test class whose every test function runs with a temporary folder of its own as the
// current directory, and leaves the current directory as it found it.
class InOwnFolder : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(elsewhere_.path())); }
    void cleanup() { QDir::setCurrent(initial_dir_); }

protected:
    const QString initial_dir_ = QDir::currentPath();
    QTemporaryDir elsewhere_; // the current directory during each test
};

// A stand-in engine in "<temp>/My Games": a script that writes its folder, its session and
// its arguments, a line each, to "report" beside "My Games"; then stays while "report.hold"
// is there (20 s at most), and notes its end in "report.done".
struct Stub {
    explicit Stub(const QString &name) : path(folder + '/' + name) {
        write_file(path, R"(#!/bin/sh
out="$(dirname "$0")/../report"
{ pwd -P; cut -d' ' -f6 /proc/$$/stat; printf '%s\n' "$@"; } >"$out.part"
mv "$out.part" "$out"
n=0; while [ -e "$out.hold" ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n + 1)); done
: >"$out.done"
)",
                   QFile::ExeOwner);
    }

    // The report's lines, once there is one.
    QStringList lines() const {
        return QTest::qWaitFor([&] { return QFileInfo::exists(report); }, patience)
                   ? QString::fromLocal8Bit(read_file(report)).chopped(1).split('\n')
                   : QStringList();
    }

    QTemporaryDir dir;
    const QString folder = dir.filePath("My Games");
    const QString path, report = dir.filePath("report");
};

} // namespace brx
