#pragma once

#include <QString>

#include <exception>
#include <string>

// Base of every failure a handler can meet: file errors, conversions, list
// errors. The text is what the default error report shows to the student.
class Exception : public std::exception
{
public:
    explicit Exception(QString message);

    const QString& message() const { return Message; }
    const char* what() const noexcept override { return Utf8.c_str(); }

private:
    QString Message;
    std::string Utf8;
};
