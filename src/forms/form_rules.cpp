#include "form_rules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabWidget>

namespace brx {

namespace {

// Enter presses the push button that has the focus; Space does so already.
class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

const char *const design_rect = "brx_design_rect";

constexpr int lowest_indicator_box = 13;

// Moves a page's controls so that their form positions stay relative to the tab control,
// whenever the tab control lays out its pages.
class TabPlacement : public QObject {
public:
    explicit TabPlacement(QTabWidget *tabs) : QObject(tabs), tabs_(tabs) {
        for (int index = 0; index < tabs->count(); ++index) {
            QWidget *page = tabs->widget(index);
            for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                child->setProperty(design_rect, child->geometry());
            page->installEventFilter(this);
            apply(page);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
            event->type() == QEvent::Show)
            apply(static_cast<QWidget *>(watched));
        return false;
    }

private:
    void apply(QWidget *page) const {
        const QPoint offset = page->mapTo(tabs_, QPoint(0, 0));
        for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QVariant rect = child->property(design_rect);
            if (rect.isValid())
                child->setGeometry(rect.toRect().translated(-offset));
        }
    }

    QTabWidget *tabs_;
};

// Draws a frame as a line round its controls with the caption on the line, 7 pixels in; and
// the indicator of a check box or option button no larger than the control is high, so that
// it is drawn whole in the 13 pixel high boxes of the forms; everything else as the
// application's style does. A style of its own, not a style sheet: a style sheet restyles
// every control of the window and slows each opening.
class FormStyle : public QProxyStyle {
public:
    explicit FormStyle(QStyle *base) : QProxyStyle(base) { setParent(qApp); }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            // The lowest check boxes of the forms are 13 pixels high: every indicator is at
            // most that size, so that all of them match, and at most the control's height.
            return qMin(qMin(size, lowest_indicator_box),
                        widget && widget->height() > 0 ? widget->height() : size);
        default:
            return size;
        }
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override {
        const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
        if (control != CC_GroupBox || !box)
            return QProxyStyle::subControlRect(control, option, part, widget);
        const int line = box->fontMetrics.height() / 2;
        switch (part) {
        case SC_GroupBoxLabel:
            return {9, 0, box->fontMetrics.horizontalAdvance(box->text), 2 * line + 1};
        case SC_GroupBoxContents:
            return box->rect.adjusted(4, 2 * line + 2, -4, -4);
        case SC_GroupBoxFrame:
            return box->rect.adjusted(0, line, 0, 0);
        default:
            return {};
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override {
        const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
        if (control != CC_GroupBox || !box) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
        painter->save();
        // The line breaks off round the caption.
        painter->setClipRegion(QRegion(box->rect) - caption.adjusted(-2, 0, 2, 0));
        painter->setPen(box->palette.color(QPalette::Mid));
        painter->drawRect(
            subControlRect(control, option, SC_GroupBoxFrame, widget).adjusted(0, 0, -1, -1));
        painter->restore();
        drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                     box->palette, box->state & State_Enabled, box->text, QPalette::WindowText);
    }
};

QStyle *form_style() {
    if (auto *style = qApp->findChild<FormStyle *>(QString(), Qt::FindDirectChildrenOnly))
        return style;
    return new FormStyle(QStyleFactory::create(QApplication::style()->name()));
}

} // namespace

int caption_overflow(QWidget &control) {
    QWidget *widget = &control;
    const QFontMetrics metrics = widget->fontMetrics();
    QStyle *style = widget->style();
    // The widest text less the room. Measuring a text means shaping it, so a text is
    // measured only where its bound, as many of the font's widest glyph as it has
    // characters, would not fit.
    const auto overflow = [&](const QStringList &texts, int room) {
        int widest = 0;
        for (const QString &text : texts) {
            const qsizetype bound = text.size() * metrics.maxWidth();
            widest = qMax(widest, bound <= room ? int(bound) : metrics.horizontalAdvance(text));
        }
        return widest - room;
    };
    // A button's caption against the room the style leaves it inside the button.
    const auto button_overflow = [&](QAbstractButton *button, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return overflow({button->text()}, style->subElementRect(contents, &option, button).width());
    };
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return button_overflow(button, QStyle::SE_PushButtonContents);
    if (auto *option = qobject_cast<QRadioButton *>(widget))
        return button_overflow(option, QStyle::SE_RadioButtonContents);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return button_overflow(box, QStyle::SE_CheckBoxContents);
    if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap())
        return overflow(label->text().split(u'\n'), label->contentsRect().width());
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return overflow({box->title()}, box->width() - 16);
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox box;
        box.initFrom(combo);
        QStringList entries;
        for (int index = 0; index < combo->count(); ++index)
            entries << combo->itemText(index);
        return overflow(
            entries,
            style->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, combo)
                .width());
    }
    return 0;
}

void apply_form_rules(QWidget &window) {
    window.setFixedSize(window.size());

    for (QTabWidget *tabs : window.findChildren<QTabWidget *>())
        new TabPlacement(tabs);

    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (qobject_cast<QGroupBox *>(control) || qobject_cast<QCheckBox *>(control) ||
            qobject_cast<QRadioButton *>(control))
            control->setStyle(form_style());
    }

    auto *enter = new EnterPresses(&window);
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(enter);
    }
}

void fit_captions(QWidget &window) {
    const QList<QWidget *> controls = window.findChildren<QWidget *>();
    const auto any_overflows = [&controls] {
        for (QWidget *control : controls) {
            // A list of the user's own names (the presets) does not shrink the window.
            if (!control->property("user_entries").toBool() && caption_overflow(*control) > 0)
                return true;
        }
        return false;
    };
    // The whole window's font, which its controls take: one caption size in a window.
    while (window.font().pointSizeF() > 7 && any_overflows()) {
        QFont smaller = window.font();
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
        window.setFont(smaller);
    }
}

void centre_on_screen(QWidget &window) {
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace brx
