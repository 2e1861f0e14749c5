#include "form_rules.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
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

void centre_on_screen(QWidget &window) {
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace brx
