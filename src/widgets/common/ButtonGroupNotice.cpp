#include "widgets/common/ButtonGroupNotice.h"

#include <QPointer>
#include <QWidget>

void ButtonGroupNotice::broadcast(QWidget* sender, int groupIndex)
{
    if (groupIndex == 0 || !sender || !sender->parentWidget())
        return;
    // A receiver may change the children while the notice goes round, so
    // walk a guarded copy.
    QList<QPointer<QWidget>> children;
    for (QObject* child : sender->parentWidget()->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            children.append(w);
    for (const QPointer<QWidget>& child : children)
        if (child)
            if (auto* receiver = dynamic_cast<ButtonGroupNotice*>(child.data()))
                receiver->buttonPressed(groupIndex, sender);
}
