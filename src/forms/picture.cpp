#include "picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace brx {

QPixmap load_picture(const QString &path, QSize size) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (size.isValid())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return QPixmap::fromImage(std::move(image));
}

Picture::Picture(QWidget *parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Picture::showEvent(QShowEvent *event) {
    if (pixmap().isNull())
        setPixmap(
            load_picture(property("picture").toString(), hasScaledContents() ? size() : QSize()));
    QLabel::showEvent(event);
}

} // namespace brx
