// Every window against its form: each control of the form present once, with its class; the
// window fixed at the form's size; every control inside its container and every caption
// fitting, on every tab page; and the focus moving in the form's tab order.
#include "form_rules.h"
#include "windows.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QTabWidget>
#include <QXmlStreamReader>

using namespace brx;

namespace {

struct Form {
    QSize size;
    QList<std::pair<QString, QString>> widgets; // name, class
    QStringList tab_order;
};

QHash<QString, QString> form_files() {
    QHash<QString, QString> files;
    QDirIterator it(QStringLiteral(BRX_SOURCE_DIR "/src"), {QStringLiteral("*.ui")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QFileInfo(path).baseName(), path);
    }
    return files;
}

Form read_form(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    Form form;
    QXmlStreamReader xml(&file);
    int depth = 0; // of the widget being read; the window's own is 1
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"widget")
            --depth;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"widget") {
            ++depth;
            form.widgets.append({xml.attributes().value("name").toString(),
                                 xml.attributes().value("class").toString()});
        } else if (xml.name() == u"rect" && depth == 1 && form.size.isEmpty()) {
            while (xml.readNextStartElement()) {
                const QStringView field = xml.name();
                const int value = xml.readElementText().toInt();
                if (field == u"width")
                    form.size.setWidth(value);
                else if (field == u"height")
                    form.size.setHeight(value);
            }
        } else if (xml.name() == u"tabstop") {
            form.tab_order << xml.readElementText();
        }
    }
    return form;
}

// What a user would see wrong with the controls shown now.
QStringList layout_problems(QWidget &window, const Form &form) {
    QStringList problems;
    for (const auto &[name, kind] : form.widgets) {
        QWidget *widget = window.findChild<QWidget *>(name);
        if (!widget || widget == &window || !widget->isVisibleTo(&window))
            continue;
        if (const int missing = caption_overflow(*widget); missing > 0)
            problems << QStringLiteral("%1: its caption lacks %2 px").arg(name).arg(missing);
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && label->wordWrap() && label->heightForWidth(label->width()) > label->height())
            problems << QStringLiteral("%1: its text needs more lines than fit").arg(name);
        if (qobject_cast<QComboBox *>(widget) &&
            widget->height() < widget->fontMetrics().height() + 4)
            problems << QStringLiteral("%1: too low for its text").arg(name);
        const QWidget *container = widget->parentWidget();
        if (!container->rect().contains(widget->geometry()))
            problems << QStringLiteral("%1: lies outside its container").arg(name);
    }
    return problems;
}

// The names of the form's tab stops in the order the focus visits them, starting from the
// first stop; a tab control takes the focus through its row of tabs.
QStringList focus_chain(QWidget &window, const QStringList &stops) {
    QStringList chain;
    QWidget *first = window.findChild<QWidget *>(stops.value(0));
    QWidget *widget = first;
    for (int step = 0; widget && step < 1000; ++step) {
        QWidget *named = widget;
        if (!stops.contains(named->objectName()) && named->parentWidget() &&
            qobject_cast<QTabWidget *>(named->parentWidget()))
            named = named->parentWidget();
        if (stops.contains(named->objectName()) &&
            (chain.isEmpty() || chain.last() != named->objectName()))
            chain << named->objectName();
        widget = widget->nextInFocusChain();
        if (widget == first)
            break;
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
    const QHash<QString, QString> files = form_files();
    QStringList seen;
    QStringList problems;
    Rig rig;
    for_each_window(rig, [&](QWidget &window, const QString &page) {
        const QString name = window.objectName();
        const QString where =
            name + (page.isEmpty() ? QString() : u'/' + page) + QStringLiteral(": ");
        if (!files.contains(name)) {
            problems << where + "no form";
            return;
        }
        const Form form = read_form(files[name]);
        if (!seen.contains(name)) {
            seen << name;
            for (const auto &[control, kind] : form.widgets) {
                const QList<QWidget *> found = window.findChildren<QWidget *>(control);
                const int count = int(found.size()) + (control == name ? 1 : 0);
                QWidget *widget = control == name ? &window : found.value(0);
                if (count != 1 || !widget->inherits(qPrintable(kind)))
                    problems << where + control +
                                    QStringLiteral(" is there %1 times, as %2")
                                        .arg(count)
                                        .arg(widget ? widget->metaObject()->className()
                                                    : "nothing");
            }
            if (window.minimumSize() != form.size || window.maximumSize() != form.size)
                problems << where + "not fixed at the form's size";
            if (const QStringList chain = focus_chain(window, form.tab_order);
                chain != form.tab_order)
                problems << where + "tab order " + chain.join(u' ');
        }
        for (const QString &problem : layout_problems(window, form))
            problems << where + problem;
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    seen.sort();
    QStringList all = files.keys();
    all.sort();
    QCOMPARE(seen, all); // every form is a window the launcher opens
}

QTEST_MAIN(tst_windows)
#include "tst_windows.moc"
