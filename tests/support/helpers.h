// Small helpers the launch tests share.
#pragma once

#include <QFileInfo>
#include <QString>

namespace brx {

// A copy of the value with one change made to it: with(join, [](auto &r) { r.hostip = ""; }).
template <typename T, typename Change> T with(T value, Change change) {
    change(value);
    return value;
}

// The path with every link resolved, for comparing folders however they were reached.
inline QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace brx
