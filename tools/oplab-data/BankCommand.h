#pragma once

#include "CommandLine.h"

// oplab-data bank import|export|check ...
int runBankCommand(const CommandLine& command);
