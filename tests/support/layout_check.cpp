#include "layout_check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

namespace brx {

static int needed_width(QWidget *widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return metrics.horizontalAdvance(button->text()) +
               2 * widget->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget);
    if (auto *option = qobject_cast<QRadioButton *>(widget))
        return metrics.horizontalAdvance(option->text()) +
               widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
               widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return metrics.horizontalAdvance(box->text()) +
               widget->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
               widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        int widest = 0;
        for (const QString &line : label->text().split(u'\n'))
            widest = qMax(widest, metrics.horizontalAdvance(line));
        return widest + 2 * label->margin();
    }
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return metrics.horizontalAdvance(box->title()) + 16;
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->sizeHint().width();
    return 0;
}

QStringList layout_problems(QWidget &window) {
    QStringList problems;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
            continue;
        const QString name = widget->objectName();
        if (const int needed = needed_width(widget); needed > widget->width())
            problems << QStringLiteral("%1: caption needs %2 px, has %3")
                            .arg(name)
                            .arg(needed)
                            .arg(widget->width());
        if (auto *combo = qobject_cast<QComboBox *>(widget);
            combo && widget->height() < widget->fontMetrics().height() + 4)
            problems << QStringLiteral("%1: too low for its text").arg(name);
        const QWidget *container = widget->parentWidget();
        if (container && widget->isVisibleTo(&window) &&
            !container->rect().contains(widget->geometry()))
            problems << QStringLiteral("%1: lies outside its container %2")
                            .arg(name, container->objectName());
    }
    if (auto *tabs = window.findChild<QTabWidget *>()) {
        for (int index = 0; index < tabs->count(); ++index) {
            const int needed =
                tabs->tabBar()->fontMetrics().horizontalAdvance(tabs->tabText(index));
            if (needed > tabs->tabBar()->tabRect(index).width())
                problems << QStringLiteral("tab %1 does not fit").arg(index);
        }
    }
    return problems;
}

} // namespace brx
