#include "platform/Exception.h"

Exception::Exception(QString message)
    : Message(std::move(message))
    , Utf8(Message.toStdString())
{
}
