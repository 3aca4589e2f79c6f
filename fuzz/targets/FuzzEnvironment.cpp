#include "FuzzEnvironment.h"

#include <QGuiApplication>

#include <csignal>

void FuzzEnvironment::start(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A registration beyond a file-size limit fails as "Disk full".
    std::signal(SIGXFSZ, SIG_IGN);
    static QGuiApplication app(*argc, *argv);
}
