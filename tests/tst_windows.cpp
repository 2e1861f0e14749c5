// Every window against its form: each control of the form present once, with its class; the
// window fixed at the form's size; every control inside its container and every caption
// fitting, on every tab page; and the focus moving in the form's tab order.
#include "form_rules.h"
#include "windows.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

using namespace brx;

namespace {

// What the pattern's first group matches in the text, in order.
QStringList matches(const QString &text, const char *pattern) {
    QStringList found;
    for (const QRegularExpressionMatch &match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

// The names of the form's tab stops in the order the focus visits them, starting from the
// first stop; a tab control takes the focus through its row of tabs.
QStringList focus_chain(QWidget &window, const QStringList &stops) {
    QStringList chain;
    QWidget *const first = window.findChild<QWidget *>(stops.value(0));
    for (QWidget *widget = first; widget;
         widget = widget->nextInFocusChain() == first ? nullptr : widget->nextInFocusChain()) {
        auto *tabs = qobject_cast<QTabWidget *>(widget->parentWidget());
        const QString name = tabs && !stops.contains(widget->objectName()) ? tabs->objectName()
                                                                           : widget->objectName();
        if (stops.contains(name) && !chain.endsWith(name))
            chain << name;
    }
    return chain;
}

} // namespace

class tst_windows : public QObject {
    Q_OBJECT
private slots:
    void every_window_follows_its_form();
};

void tst_windows::every_window_follows_its_form() {
    QHash<QString, QString> forms; // the text of each form, by its window's name
    for (QDirIterator it(BRX_SOURCE_DIR "/src", {"*.ui"}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        forms.insert(QFileInfo(file).baseName(),
                     file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "");
    }
    QStringList seen, problems;
    Rig rig;
    for_each_window(rig, [&](QWidget &window, const QString &page) {
        const QString name = window.objectName(), form = forms.value(name);
        const QString where = name + (page.isEmpty() ? "" : '/' + page) + ": ";
        const QStringList controls = matches(form, R"re(<widget class="[^"]+" name="([^"]+)")re");
        if (!seen.contains(name)) {
            seen << name;
            const QStringList classes = matches(form, R"re(<widget class="([^"]+)")re");
            for (qsizetype i = 0; i < controls.size(); ++i) {
                QList<QWidget *> found = window.findChildren<QWidget *>(controls[i]);
                if (controls[i] == name)
                    found << &window;
                if (found.size() != 1 || !found[0]->inherits(qPrintable(classes[i])))
                    problems << where + controls[i] + " is not there once as " + classes[i];
            }
            // The window's own geometry comes first.
            const QSize size(matches(form, "<width>(\\d+)<").value(0).toInt(),
                             matches(form, "<height>(\\d+)<").value(0).toInt());
            if (window.minimumSize() != size || window.maximumSize() != size)
                problems << where + "not fixed at the size of its form";
            const QStringList tab_order = matches(form, "<tabstop>(\\w+)<");
            if (const QStringList chain = focus_chain(window, tab_order); chain != tab_order)
                problems << where + "tab order " + chain.join(u' ');
        }
        // What a user would see wrong with the controls shown now.
        for (const QString &control : controls) {
            QWidget *widget = window.findChild<QWidget *>(control);
            if (!widget || !widget->isVisibleTo(&window))
                continue;
            const QString problem = where + control + ": ";
            if (const int missing = caption_overflow(*widget); missing > 0)
                problems << problem + QStringLiteral("its caption lacks %1 px").arg(missing);
            auto *label = qobject_cast<QLabel *>(widget);
            if (label && label->wordWrap() &&
                label->heightForWidth(label->width()) > label->height())
                problems << problem + "its text needs more lines than fit";
            if (qobject_cast<QComboBox *>(widget) &&
                widget->height() < widget->fontMetrics().height() + 4)
                problems << problem + "too low for its text";
            if (!widget->parentWidget()->rect().contains(widget->geometry()))
                problems << problem + "lies outside its container";
        }
    });
    for (const QString &name : forms.keys()) {
        if (!seen.contains(name))
            problems << name + ": no window of the launcher has this form";
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_MAIN(tst_windows)
#include "tst_windows.moc"
