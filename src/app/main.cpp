// Brixmoor: a launcher for the ZDoom engines.
#include "archive.h"
#include "launcher.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    brx::read_time_zone_once();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (brx::prefer_xwayland(qEnvironmentVariable("WAYLAND_DISPLAY"),
                             qEnvironmentVariable("DISPLAY"),
                             qEnvironmentVariable("QT_QPA_PLATFORM"), arguments))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (const std::optional<int> status = brx::run_options(argc, argv, arguments))
        return *status;
    QApplication app(argc, argv);
    return brx::run_launcher(app);
}
