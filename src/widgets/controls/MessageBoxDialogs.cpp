#include "widgets/controls/MessageBoxDialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

void show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

MessageBoxDialogs::MessageBoxDialogs(QWidget* parent)
    : Parent(parent)
{
}

// The program sets no title of its own: every box, the error report's
// included, carries the application's default title, the program's name.
void MessageBoxDialogs::message(const QString& text)
{
    show(Parent, QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
}

void MessageBoxDialogs::error(const QString& text)
{
    show(Parent, QMessageBox::Critical, QCoreApplication::applicationName(), text);
}

void MessageBoxDialogs::information(const QString& text)
{
    show(Parent, QMessageBox::Information, QCoreApplication::applicationName(), text);
}
