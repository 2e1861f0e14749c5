// Renders every window to PNGs, one per tab page, for looking at them:
// render_windows <folder>. With -platform offscreen it needs no display.
#include "windows.h"

using namespace brx;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    out.mkpath(QStringLiteral("."));
    Rig rig;
    for_each_window(rig, [&out](QWidget &window, const QString &page) {
        const QString name = window.objectName() + (page.isEmpty() ? QString() : u'-' + page);
        window.grab().save(out.filePath(name + QStringLiteral(".png")));
    });
    return 0;
}
