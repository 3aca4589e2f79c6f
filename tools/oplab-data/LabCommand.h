#pragma once

#include "CommandLine.h"

// oplab-data lab init [--force] DIR | lab check DIR
int runLabCommand(const CommandLine& command);
