#pragma once

#include "widgets/controls/Dialogs.h"

class QWidget;

// Dialogs as modal message boxes over the main window.
class MessageBoxDialogs : public Dialogs
{
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { Parent = parent; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;

private:
    QWidget* Parent;
};
