#pragma once

#include <QByteArray>

// An Aiken text source as an instructor may write it, imported as the
// instructor's tool imports it. What imports must make sound records,
// export, and import again to the same bytes.
class AikenInput
{
public:
    static void run(const QByteArray& data);
};
