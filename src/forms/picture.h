// The launcher's own pictures: the title pictures and the program icon.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace brx {

// Reads one of the launcher's own pictures in the format its suffix names, which spares
// start-up the probing of every image plugin. Given a size, the picture is stretched to it
// pixel by pixel, which keeps pixel art crisp.
QPixmap load_picture(const QString &path, QSize size = {});

// A picture control of a form: it shows the picture its "picture" property names (a
// resource path), decoded when the control is first shown, so that start-up pays only for
// the pictures it shows. With scaledContents, the picture is stretched to the control once,
// as it is decoded, rather than at every paint.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace brx
