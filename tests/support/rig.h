// A launcher on the scripted platform: the window registry with every dialog this build has,
// a main window as the owner and IWAD indicator, and a temporary program folder for brx.cfg.
// A test fails when it leaves scripted answers unused: the flow it meant to drive did not
// happen.
#pragma once

#include "form_dialog.h"
#include "helpers.h"
#include "launcher.h"
#include "main_screen.h"
#include "test_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace brx {

// The first-run message, as Rig::seen() lists it.
inline const QString first_run = QStringLiteral("BRX needs to be configured...\n\rPlease note: "
                                                "this will only need to be done once|BRX needs to "
                                                "be configured...");

struct Rig {
    // The look first, so that the windows below are built with it.
    bool look = (set_look(*qApp), true);
    QTemporaryDir dir;
    TestPlatform platform;
    Forms forms{platform};
    main_screen main{forms};

    Rig() {
        platform.folder = QDir::toNativeSeparators(dir.path());
        platform.state = QDir::toNativeSeparators(dir.filePath("state"));
        define_forms(forms);
        forms.set_main(&main);
    }
    ~Rig() {
        if (platform.unused_answers() != 0 && !QTest::currentTestFailed())
            QTest::qFail("scripted windows or file answers were left unused", __FILE__, __LINE__);
    }

    // Opens the dialog through the registry, as its button would, and runs the script in it.
    // Returns whether the script left the dialog loaded.
    template <typename Dialog>
    bool open(
        FormId id, std::function<void(Dialog &)> script = [](Dialog &) {}) {
        bool left_open = false;
        platform.script(form_name(id), [&, id, script](QDialog &window) {
            script(static_cast<Dialog &>(window));
            left_open = forms.loaded(id) != nullptr;
        });
        forms.show_modal(id);
        return left_open;
    }

    QString cfg_path() const { return dir.filePath("brx.cfg"); }

    void write_cfg(const QByteArray &bytes) const { write_file(cfg_path(), bytes); }
    QByteArray cfg() const { return read_file(cfg_path()); }

    // What the launcher showed, in one list: message boxes as "prompt|title" (with brx.cfg's
    // path written "brx.cfg"), file-open dialogs as "title|filter|start", and program starts.
    QStringList seen() const {
        QStringList list;
        for (const TestPlatform::Message &message : platform.messages)
            list << QString(message.prompt)
                            .replace(QDir::toNativeSeparators(cfg_path()),
                                     QStringLiteral("brx.cfg")) +
                        u'|' + message.title;
        for (const FileRequest &request : platform.file_requests)
            list << request.title + u'|' + request.filter + u'|' + request.start;
        for (const TestPlatform::Start &start : platform.starts)
            list << start.command_line;
        return list;
    }
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

// Does in the window what a user would, written as steps separated by "; ": "click name",
// "type name=text" (into a text box, by keystrokes), "pick name=entry" (of a list),
// "tab name=index" (of a tab control), "key Return" (to the control with the focus),
// "key name=Num+Enter" (to a control).
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
        else if (verb == u"key") { // to the control named, or else to the focus
            const QKeyCombination key = QKeySequence(value.isEmpty() ? QString(name) : value)[0];
            QTest::keyClick(value.isEmpty() ? nullptr : child(window, name), key.key(),
                            key.keyboardModifiers());
        } else
            qFatal("no step %s", qPrintable(step));
    }
}

} // namespace brx
