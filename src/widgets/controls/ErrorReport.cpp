#include "widgets/controls/ErrorReport.h"

#include "widgets/controls/Dialogs.h"
#include "platform/Exception.h"

#include <QString>

#include <exception>
#include <new>

namespace {

int depth = 0;
std::exception_ptr pending;

void show(Dialogs& dialogs, const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        dialogs.error(e.message());
    } catch (const std::bad_alloc&) {
        dialogs.error(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        dialogs.error(QStringLiteral("Unknown error"));
    }
}

} // namespace

bool ErrorReport::run(Dialogs& dialogs, const std::function<void()>& handler)
{
    std::exception_ptr failure;
    ++depth;
    try {
        handler();
    } catch (...) {
        failure = std::current_exception();
    }
    --depth;

    if (depth > 0) {
        if (failure && !pending)
            pending = failure;
        return !failure;
    }
    // The outermost boundary: a nested failure that no handler took up is
    // reported too.
    if (!failure && pending)
        failure = pending;
    pending = nullptr;
    if (failure)
        show(dialogs, failure);
    return !failure;
}

void ErrorReport::rethrowPending()
{
    if (!pending)
        return;
    std::exception_ptr failure = pending;
    pending = nullptr;
    std::rethrow_exception(failure);
}
