#include "BankCommand.h"

int runBankCommand(const CommandLine& command)
{
    return command.fail(QStringLiteral("bank: not available yet"));
}
