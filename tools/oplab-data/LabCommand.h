#pragma once

#include "CommandLine.h"

// oplab-data lab init [--force] [--group GROUP [--owner USER]] DIR | lab check DIR
int runLabCommand(const CommandLine& command);
