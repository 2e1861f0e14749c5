// The yardstick for the start-up benchmark: the least a Qt Widgets program does to put a
// window of the launcher's main window size (455 x 239) and title on the screen. With
// --caption it also shows one line of text, which is what first loads Qt's font database:
// a cost every window with a caption pays, the launcher's included.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("BRX"));
    window.resize(455, 239);
    if (argc > 1 && QByteArrayView(argv[1]) == "--caption")
        (new QLabel(QStringLiteral("IWAD: Doom2"), &window))->move(8, 220);
    window.show();
    return app.exec();
}
