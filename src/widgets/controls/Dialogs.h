#pragma once

#include <QString>

// The message boxes of the program, each modal with the single button
// "OK": the plain box of the test's notices (no icon, the application's
// default title), the error box and the information box of the bench.
// The program shows real boxes; tests record what would be shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void message(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
};
