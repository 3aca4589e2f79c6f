#pragma once

#include "CommandLine.h"

// oplab-data journal list|check|find|register ...
int runJournalCommand(const CommandLine& command);
