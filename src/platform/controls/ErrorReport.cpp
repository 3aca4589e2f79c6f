#include "ErrorReport.h"

#include "Dialogs.h"
#include "Exception.h"

#include <QString>

#include <exception>
#include <new>

bool ErrorReport::run(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const Exception& e) {
        dialogs.error(e.message());
    } catch (const std::bad_alloc&) {
        dialogs.error(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
