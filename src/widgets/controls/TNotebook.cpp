#include "widgets/controls/TNotebook.h"

#include <QVariant>

TNotebook::TNotebook(QWidget* parent)
    : QStackedWidget(parent)
{
}

QString TNotebook::captionOf(const QWidget* page)
{
    return page ? page->property("Caption").toString() : QString();
}

QWidget* TNotebook::page(const QString& caption) const
{
    for (int i = 0; i < count(); ++i)
        if (captionOf(widget(i)) == caption)
            return widget(i);
    return nullptr;
}

QString TNotebook::ActivePage() const
{
    return captionOf(currentWidget());
}

void TNotebook::setActivePage(const QString& caption)
{
    QWidget* target = page(caption);
    if (!target || target == currentWidget())
        return;
    setCurrentWidget(target);
    emit OnPageChanged(this);
}
