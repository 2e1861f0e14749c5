// A launcher on the scripted platform: the window registry with every dialog this build has,
// a main window as the owner and IWAD indicator, and a temporary program folder for brx.cfg.
#pragma once

#include "forms.h"
#include "launcher.h"
#include "main_screen.h"
#include "test_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace brx {

struct Rig {
    // The look first, so that the windows below are built with it.
    bool look = (set_look(*qApp), true);
    QTemporaryDir dir;
    TestPlatform platform;
    Forms forms{platform};
    main_screen main{forms};

    Rig() {
        platform.folder = QDir::toNativeSeparators(dir.path());
        define_forms(forms);
        forms.set_main(&main, &main);
    }

    QString cfg_path() const { return dir.filePath("brx.cfg"); }

    void write_cfg(const QByteArray &bytes) const {
        QFile file(cfg_path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(cfg_path()));
    }

    QByteArray cfg() const {
        QFile file(cfg_path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool cfg_exists() const { return QFileInfo(cfg_path()).isFile(); }
};

template <typename T = QWidget> T *child(QWidget &window, const char *name) {
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no %s", qPrintable(window.objectName()), name);
    return found;
}

inline void type_into(QWidget &window, const char *box, const QString &text) {
    auto *edit = child<QLineEdit>(window, box);
    edit->clear();
    QTest::keyClicks(edit, text);
}

inline void click(QWidget &window, const char *button) {
    child<QAbstractButton>(window, button)->click();
}

} // namespace brx
