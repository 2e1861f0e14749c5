#include "form_rules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
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

} // namespace

int caption_overflow(QWidget &control) {
    QWidget *widget = &control;
    const QFontMetrics metrics = widget->fontMetrics();
    QStyle *style = widget->style();
    // A button's caption against the room the style leaves it inside the button.
    const auto button_overflow = [&](QAbstractButton *button, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return metrics.horizontalAdvance(button->text()) -
               style->subElementRect(contents, &option, button).width();
    };
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return button_overflow(button, QStyle::SE_PushButtonContents);
    if (auto *option = qobject_cast<QRadioButton *>(widget))
        return button_overflow(option, QStyle::SE_RadioButtonContents);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return button_overflow(box, QStyle::SE_CheckBoxContents);
    if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap()) {
        int widest = 0;
        for (const QString &line : label->text().split(u'\n'))
            widest = qMax(widest, metrics.horizontalAdvance(line));
        return widest - label->contentsRect().width();
    }
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return metrics.horizontalAdvance(box->title()) + 16 - box->width();
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox box;
        box.initFrom(combo);
        const int field =
            style->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, combo)
                .width();
        int widest = 0;
        for (int index = 0; index < combo->count(); ++index)
            widest = qMax(widest, metrics.horizontalAdvance(combo->itemText(index)));
        return widest - field;
    }
    return 0;
}

void apply_form_rules(QWidget &window) {
    window.setFixedSize(window.size());

    for (QTabWidget *tabs : window.findChildren<QTabWidget *>())
        new TabPlacement(tabs);

    if (window.findChild<QGroupBox *>())
        window.setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: 7px; top: 0px; padding: 0 2px; }"));

    auto *enter = new EnterPresses(&window);
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(enter);
    }
}

void fit_captions(QWidget &window) {
    for (QWidget *control : window.findChildren<QWidget *>()) {
        while (caption_overflow(*control) > 0 && control->font().pointSizeF() > 7) {
            QFont smaller = control->font();
            smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
            control->setFont(smaller);
        }
    }
}

void centre_on_screen(QWidget &window) {
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace brx
