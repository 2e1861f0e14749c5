// A launcher on the scripted platform: the window registry with every dialog this build has,
// a main window as the owner and IWAD indicator, and a temporary program folder for brx.cfg.
// A test fails when it leaves scripted answers unused: the flow it meant to drive did not
// happen.
#pragma once

#include "form_dialog.h"
#include "launcher.h"
#include "main_screen.h"
#include "test_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
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
    ~Rig() {
        if (platform.unused_answers() != 0 && !QTest::currentTestFailed())
            QTest::qFail("scripted windows or file answers were left unused", __FILE__, __LINE__);
    }

    // Opens the dialog through the registry, as its button would, and runs the script in it.
    template <typename Dialog>
    void open(
        FormId id, std::function<void(Dialog &)> script = [](Dialog &) {}) {
        platform.script(dialog_name(id),
                        [script](QDialog &window) { script(static_cast<Dialog &>(window)); });
        forms.show_modal(id);
    }

    static QString dialog_name(FormId id) {
        static const char *const names[] = {"doom_setup", "launch_solo", "launch_multi",
                                            "aboutbox"};
        return QString::fromLatin1(names[static_cast<int>(id)]);
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

// Stands in for a dialog that a test does not look into: an empty dialog under its name.
inline void stand_in(Forms &forms, FormId id) {
    struct Empty : FormDialog {
        Empty(Forms &forms, FormId id) : FormDialog(forms, id, Escape::closes) {
            setObjectName(Rig::dialog_name(id));
        }
    };
    forms.define(id, [id](Forms &owner) { return std::make_unique<Empty>(owner, id); });
}

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

// Does in the window what a user would, written as steps separated by "; ": "click name",
// "type name=text" (into a text box, by keystrokes), "pick name=entry" (of a list),
// "tab name=index" (of a tab control).
inline void act(QWidget &window, const QString &script) {
    for (const QString &step : script.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QString verb = step.section(u' ', 0, 0);
        const QByteArray name = step.section(u' ', 1).section(u'=', 0, 0).toLatin1();
        const QString value = step.section(u'=', 1);
        if (verb == u"click")
            click(window, name);
        else if (verb == u"type")
            type_into(window, name, value);
        else if (verb == u"pick")
            child<QComboBox>(window, name)->setCurrentText(value);
        else if (verb == u"tab")
            child<QTabWidget>(window, name)->setCurrentIndex(value.toInt());
        else
            qFatal("no step %s", qPrintable(step));
    }
}

} // namespace brx
