#include "widgets.h"

#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>

namespace brx {

QPixmap load_picture(const QString &path, QSize size) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (size.isValid())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return QPixmap::fromImage(std::move(image));
}

void place(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(twips_rect(left, top, width, height));
}

void fix_client_size(QWidget *window, int width, int height) {
    window->setFixedSize(twips(width), twips(height));
}

void centre_on_screen(QWidget *window) {
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void use_classic_frames(QWidget *window) {
    window->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 7px; top: 0px; padding: 0 2px; }"));
}

void set_tab_order(std::initializer_list<QWidget *> order) {
    QWidget *previous = nullptr;
    for (QWidget *widget : order) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

namespace {

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

} // namespace

void press_focused_button_on_enter(QWidget *window) {
    auto *filter = new EnterPresses(window);
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(filter);
    }
}

namespace {

const char *const design_rect = "brx_design_rect";

// Moves the page's widgets so that their design positions stay relative to the tab control.
class TabPlacement : public QObject {
public:
    TabPlacement(QTabWidget *tabs) : QObject(tabs), tabs_(tabs) {}

    void apply(QWidget *page) const {
        const QPoint offset = page->mapTo(tabs_, QPoint(0, 0));
        for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QVariant rect = child->property(design_rect);
            if (rect.isValid())
                child->setGeometry(rect.toRect().translated(-offset));
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
    QTabWidget *tabs_;
};

} // namespace

void place_on_tab(QTabWidget *tabs, QWidget *widget, int left, int top, int width, int height) {
    TabPlacement *placement = nullptr;
    for (QObject *child : tabs->children()) {
        if ((placement = dynamic_cast<TabPlacement *>(child)))
            break;
    }
    if (!placement)
        placement = new TabPlacement(tabs);
    QWidget *page = widget->parentWidget();
    page->removeEventFilter(placement);
    page->installEventFilter(placement);
    widget->setProperty(design_rect, twips_rect(left, top, width, height));
    placement->apply(page);
}

} // namespace brx
