// oplab: the virtual laboratory bench. Started in a folder, that folder is
// the lab folder: the bench reads its data files there and keeps its
// journal there. "oplab --lab [DIR]" first changes to a lab folder (see
// LabChoice); --help and --version tell about the program.
#include "app/Program.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(OPLAB_VERSION));
    return Program::run(argc, argv);
}
