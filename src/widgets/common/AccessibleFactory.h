#pragma once

#include <QAccessible>

// Makes Interface the accessible interface of every Control (and of the
// controls derived from it): a screen reader asking for such a control is
// answered by `new Interface(control)`. Installed once per pair, when the
// first control is made.
class AccessibleFactory
{
public:
    template <class Control, class Interface>
    static void install()
    {
        static const bool installed = [] {
            QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
                if (auto* control = qobject_cast<Control*>(object))
                    return new Interface(control);
                return nullptr;
            });
            return true;
        }();
        Q_UNUSED(installed);
    }
};
