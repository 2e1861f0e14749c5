// Small helpers every window uses: geometry given in twips, fixed-size windows, the
// keyboard rules (Enter or Space presses the focused button and nothing else) and the
// launcher's font.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <initializer_list>

class QWidget;

namespace brx {

// 15 twips are one logical pixel.
constexpr int twips(int value) {
    return value / 15;
}
constexpr QRect twips_rect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Reads one of the launcher's own pictures in the format its suffix names, which spares
// start-up the probing of every image plugin. Given a size, the picture is stretched to it
// pixel by pixel, which keeps pixel art crisp.
QPixmap load_picture(const QString &path, QSize size = {});

// Makes a control named as the window tables name it, with its caption (a frame's title).
template <typename T> T *make(QWidget *parent, const char *name, const QString &caption = {}) {
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    if constexpr (requires { widget->setTitle(caption); })
        widget->setTitle(caption);
    else if constexpr (requires { widget->setText(caption); })
        widget->setText(caption);
    return widget;
}

// Places the widget at a design position in twips, relative to its container.
void place(QWidget *widget, int left, int top, int width, int height);

// Sets the client area in twips and forbids resizing.
void fix_client_size(QWidget *window, int width, int height);

// Moves the window to the middle of its screen's free area.
void centre_on_screen(QWidget *window);

// Draws the window's frames with their caption on the border line, so that the top of a
// frame is where the window tables expect it.
void use_classic_frames(QWidget *window);

// Chains the widgets in this tab order.
void set_tab_order(std::initializer_list<QWidget *> order);

// Makes Enter press the focused push button (Space does so already) and turns off every
// default button, so that Enter never presses a button that does not have the focus.
void press_focused_button_on_enter(QWidget *window);

} // namespace brx

class QTabWidget;

namespace brx {

// Places a widget of a tab page at a design position given relative to the tab control
// itself (tab row included), as the window tables give it; the position is kept whenever
// the tab control lays out its pages.
void place_on_tab(QTabWidget *tabs, QWidget *widget, int left, int top, int width, int height);

} // namespace brx
