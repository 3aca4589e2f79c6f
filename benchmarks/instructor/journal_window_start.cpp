// oplab-journal as main() runs it, on the journal given, ending right after
// the first paint of the class table with its rows.
#include "instructor/JournalModel.h"
#include "instructor/JournalProgram.h"
#include "instructor/JournalWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTableView>

#include <cstdio>

namespace {

class TablePainted : public QObject
{
public:
    explicit TablePainted(JournalWindow& window)
        : QObject(&window)
        , Window(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !Done && Window.model().rowCount() > 0) {
            Done = true;
            QMetaObject::invokeMethod(qApp, [] {
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    JournalWindow& Window;
    bool Done = false;
};

} // namespace

int main(int argc, char** argv)
{
    return JournalProgram::run(argc, argv, [](JournalWindow& window) {
        window.table()->viewport()->installEventFilter(new TablePainted(window));
    });
}
