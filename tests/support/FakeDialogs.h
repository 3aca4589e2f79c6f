#pragma once

#include "widgets/controls/Dialogs.h"

#include <QStringList>

#include <functional>

// Records every message box instead of showing it. Each box is kept as
// "<kind>: <text>" with the kinds "message", "error" and "information".
// A test may act while a box is "open" (onShow runs before it returns),
// as a student would before closing it.
class FakeDialogs : public Dialogs
{
public:
    void message(const QString& text) override { record(QStringLiteral("message"), text); }
    void error(const QString& text) override { record(QStringLiteral("error"), text); }
    void information(const QString& text) override { record(QStringLiteral("information"), text); }

    QStringList Shown;
    std::function<void(const QString& kind, const QString& text)> onShow;

    QString last() const { return Shown.isEmpty() ? QString() : Shown.last(); }
    QStringList take();

private:
    void record(const QString& kind, const QString& text);
};
