// oplab: the virtual laboratory bench. It has no command line and no
// configuration; it reads its data files from the current directory.
#include "app/Program.h"

int main(int argc, char** argv)
{
    return Program::run(argc, argv);
}
