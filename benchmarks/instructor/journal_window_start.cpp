// oplab-journal as main() runs it, on the journal given, ending right after
// the first paint of the class table with its rows.
#include "../startup/FirstPaint.h"
#include "instructor/JournalModel.h"
#include "instructor/JournalProgram.h"
#include "instructor/JournalWindow.h"

#include <QTableView>

int main(int argc, char** argv)
{
    return JournalProgram::run(argc, argv, [](JournalWindow& window) {
        window.table()->viewport()->installEventFilter(
            new FirstPaint(&window, [&window] { return window.model().rowCount() > 0; }));
    });
}
