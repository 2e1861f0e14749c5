// The yardstick for the start-up benchmark: the least a Qt Widgets program does to put a
// window of the launcher's main window size (455 x 239) and title on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("BRX"));
    window.resize(455, 239);
    window.show();
    return app.exec();
}
