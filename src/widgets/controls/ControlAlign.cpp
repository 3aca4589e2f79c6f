#include "widgets/controls/ControlAlign.h"

#include "widgets/common/ControlZoom.h"

#include <QEvent>
#include <QMetaEnum>
#include <QSet>
#include <QVariant>
#include <QWidget>

ControlAlign::TAlign ControlAlign::alignOf(const QWidget* control)
{
    const QVariant stored = control->property("Align");
    if (!stored.isValid())
        return alNone;
    bool known = false;
    const int value = QMetaEnum::fromType<TAlign>().keyToValue(stored.toString().toLatin1().constData(), &known);
    return known ? TAlign(value) : alNone;
}

void ControlAlign::apply(QWidget* root)
{
    QSet<QWidget*> parents;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (alignOf(w) != alNone && w->parentWidget())
            parents.insert(w->parentWidget());
    for (QWidget* parent : parents) {
        // One watcher per parent, owned by it.
        if (!parent->findChild<ControlAlign*>(QString(), Qt::FindDirectChildrenOnly))
            parent->installEventFilter(new ControlAlign(parent));
        realign(parent);
    }
}

void ControlAlign::realign(QWidget* parent)
{
    // On a zoomed page in the stored form's pixels: the page's content keeps
    // its stored size, and the controls are shown where that puts them.
    QRect rest = ControlZoom::designContentsRect(parent);
    const QList<QWidget*> children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (QWidget* w : children) {
            if (alignOf(w) != side)
                continue;
            QRect place = rest;
            switch (side) {
            case alTop:
                place.setHeight(ControlZoom::designSize(w).height());
                rest.setTop(place.bottom() + 1);
                break;
            case alBottom:
                place.setTop(rest.bottom() + 1 - ControlZoom::designSize(w).height());
                rest.setBottom(place.top() - 1);
                break;
            case alLeft:
                place.setWidth(ControlZoom::designSize(w).width());
                rest.setLeft(place.right() + 1);
                break;
            case alRight:
                place.setLeft(rest.right() + 1 - ControlZoom::designSize(w).width());
                rest.setRight(place.left() - 1);
                break;
            default:
                break;
            }
            ControlZoom::setGeometry(w, place);
        }
    }
}

bool ControlAlign::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange)
        realign(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}
