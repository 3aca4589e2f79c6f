#include "FuzzProperty.h"

#include <QtGlobal>

void FuzzProperty::require(bool holds, const char* what, const QByteArray& detail)
{
    if (!holds)
        qFatal("property broken: %s%s%s", what, detail.isEmpty() ? "" : ": ", detail.constData());
}
