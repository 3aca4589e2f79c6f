#include "app/FrameMemory.h"

#include <QSettings>
#include <QWidget>

namespace {

const QString SizeKey = QStringLiteral("Window/Size");
const QString MaximizedKey = QStringLiteral("Window/Maximized");

} // namespace

void FrameMemory::show(QWidget& window, QSettings& settings)
{
    const QSize kept = settings.value(SizeKey).toSize();
    if (kept.isValid())
        window.resize(kept.expandedTo(window.minimumSize()));
    if (settings.value(MaximizedKey, false).toBool())
        window.showMaximized();
    else
        window.show();
}

void FrameMemory::save(const QWidget& window, QSettings& settings)
{
    const bool maximized = window.isMaximized();
    settings.setValue(SizeKey, maximized ? window.normalGeometry().size() : window.size());
    settings.setValue(MaximizedKey, maximized);
}
