// Brixmoor: a launcher for the ZDoom engines.
#include "launcher.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    return brx::run_launcher(app);
}
