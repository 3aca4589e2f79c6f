// oplab-journal: the instructor's window on the class journal.
#include "instructor/JournalProgram.h"

int main(int argc, char** argv)
{
    return JournalProgram::run(argc, argv);
}
