// Every window against its form: each control of the form present once, with its class; the
// window fixed at the form's size; every control inside its container, every caption fitting
// and drawn in the window's one size, and every check box's indicator drawn whole, on every tab
// page; the focus moving in the form's tab order; and every control the focus can reach, and
// every picture, called by a name of its own by assistive technology.
#include "form_rules.h"
#include "windows.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOption>
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

// The controls of the page shown now that the focus can reach (a control that hands its
// focus to another counts as that one), and the pictures.
QList<QWidget *> named_controls(QWidget &window) {
    QList<QWidget *> found;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget->inherits("brx::Picture") ||
            ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
             widget->isVisibleTo(&window)))
            found << widget;
    }
    return found;
}

// What a screen reader calls the control. A combo box gives its current entry as its name
// on Linux and its label through a relation, so there its label (its buddy) or the name given
// to it is what it is called: never the entry, which says nothing of what it is.
QString accessible_name(QWidget &widget) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&widget);
    if (!face)
        return {};
    if (face->role() == QAccessible::ComboBox) {
        for (const auto &relation : face->relations(QAccessible::Label))
            return relation.first->text(QAccessible::Name).trimmed();
        return widget.accessibleName().trimmed();
    }
    return face->text(QAccessible::Name).trimmed();
}

// Whether a frame round the control has this caption: what a control without a label of its
// own is called, so every control in the frame would be called the same.
bool frame_called(const QWidget &widget, const QString &name) {
    for (const QWidget *outer = widget.parentWidget(); outer; outer = outer->parentWidget()) {
        const auto *frame = qobject_cast<const QGroupBox *>(outer);
        if (frame && frame->title().trimmed() == name)
            return true;
    }
    return false;
}

// The control's name in the form, or its owner's for a part of a Qt control (a tab row).
QString form_name(const QWidget &widget) {
    if (!widget.objectName().startsWith("qt_") || !widget.parentWidget())
        return widget.objectName();
    return widget.parentWidget()->objectName() + "'s " + widget.metaObject()->className();
}

// Where the style draws the indicator of a check box or an option button; empty for any other
// control.
QRect indicator(QWidget &widget) {
    auto *button = qobject_cast<QAbstractButton *>(&widget);
    const bool check = qobject_cast<QCheckBox *>(&widget);
    if (!check && !qobject_cast<QRadioButton *>(&widget))
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return widget.style()->subElementRect(
        check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, button);
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
        QMap<qreal, QString> sizes; // a control by the point size of its text
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
            if (const QRect box = indicator(*widget);
                box.isValid() && !widget->rect().contains(box))
                problems << problem + "its indicator is cut off";
            sizes.insert(widget->font().pointSizeF(), control);
        }
        if (sizes.size() > 1) {
            QStringList each;
            for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
                each << QStringLiteral("%1 pt (%2)").arg(it.key()).arg(it.value());
            problems << where + "captions in several sizes: " + each.join(QStringLiteral(", "));
        }
        // Heard through assistive technology: a name, and one that no other control on
        // the page shares.
        QHash<QString, QString> named; // the control by the name it is heard by
        for (QWidget *widget : named_controls(window)) {
            const QString heard = accessible_name(*widget), control = form_name(*widget);
            if (heard.isEmpty())
                problems << where + control + ": no accessible name";
            else if (frame_called(*widget, heard))
                problems << where + control + ": heard by its frame's caption \"" + heard + '"';
            else if (named.contains(heard))
                problems << where + control + " and " + named[heard] + " are both heard as \"" +
                                heard + '"';
            else
                named.insert(heard, control);
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
