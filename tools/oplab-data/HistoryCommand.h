#pragma once

#include "CommandLine.h"

// oplab-data journal keep|history|diff|restore ...: the journal's kept
// versions in the instructor's own data folder, the changes between two
// states of a journal, and a version written back. `verb` is the word after
// "journal"; the command's arguments follow it.
int runHistoryCommand(const QString& verb, const CommandLine& command);

// Whether the word is one of the history's verbs.
bool isHistoryVerb(const QString& verb);
