#include "JournalCommand.h"

int runJournalCommand(const CommandLine& command)
{
    return command.fail(QStringLiteral("journal: not available yet"));
}
