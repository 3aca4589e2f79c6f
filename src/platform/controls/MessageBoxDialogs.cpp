#include "platform/controls/MessageBoxDialogs.h"

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

void MessageBoxDialogs::message(const QString& text)
{
    // The program sets no title of its own: the box carries the
    // application's default title, the program's name.
    show(Parent, QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
}

void MessageBoxDialogs::error(const QString& text)
{
    show(Parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}

void MessageBoxDialogs::information(const QString& text)
{
    show(Parent, QMessageBox::Information, QStringLiteral("Information"), text);
}
