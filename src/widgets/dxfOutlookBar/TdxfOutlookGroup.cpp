#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

#include "platform/EListError.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"

TdxfOutlookGroup::TdxfOutlookGroup(QWidget* parent)
    : QWidget(parent)
{
    // Opaque like a window of its own; shown only while active.
    setAutoFillBackground(true);
    setVisible(false);
}

TdxfOutlookGroup::~TdxfOutlookGroup()
{
    if (FBar && FBar->GroupCount() >= 2)
        FBar->setActiveGroup(FIndex == 0 ? FBar->Groups(1) : FBar->Groups(0));
    if (FBar)
        FBar->RemoveGroup(this);
}

void TdxfOutlookGroup::setBar(TdxfOutlookBar* b)
{
    if (b == FBar)
        return;
    if (FBar)
        FBar->RemoveGroup(this);
    if (parentWidget() != b)
        setParent(b);
    if (b) {
        b->AddGroup(this);
        b->moveGroup(this, b->FGroups.indexOf(this));
    }
}

void TdxfOutlookGroup::setCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    if (FBar)
        FBar->update();
}

void TdxfOutlookGroup::setIndex(int n)
{
    if (!FBar)
        return;
    const int last = FBar->GroupCount() - 1;
    if (n > last)
        throw EListError(QStringLiteral("Max GroupIndex = %1").arg(last));
    if (n < 0)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(n));
    if (n == FIndex)
        return;
    FBar->moveGroup(this, n);
}

void TdxfOutlookGroup::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The first child control is nudged one pixel right and back, so that it
    // repaints at once with the group's new size.
    for (QObject* child : children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        control->move(control->x() + 1, control->y());
        control->move(control->x() - 1, control->y());
        break;
    }
}
