// A file of the journal's layer that reaches up to the main window. The
// build must refuse it: the journal library's include root holds only the
// journal's headers and the platform's below them.
#include "app/Unit1.h"
#include "journal/Journal.h"
