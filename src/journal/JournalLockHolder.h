#pragma once

#include <QByteArray>
#include <QDateTime>

// What a lock file of the journal says of the program that holds it, one
// "key=value" line each: the lock's token (random, drawn for each lock),
// the computer (host name, the kernel's boot id and the process id
// namespace), the process (id and start), when it took the lock (UTC, by
// its own clock, for people to read) and the lease it holds the lock
// under (milliseconds).
class JournalLockHolder
{
public:
    QByteArray Token;
    QByteArray Host;
    QByteArray Boot;
    QByteArray PidNamespace;
    long long Pid = -1;
    long long Start = -1;
    QDateTime Since;
    int LeaseMs = 0;

    // This process, holding a lock of `token` under a lease of leaseMs.
    static JournalLockHolder self(const QByteArray& token, int leaseMs);
    // A fresh random token: 32 hexadecimal digits, safe in a file name.
    static QByteArray newToken();

    QByteArray text() const;
    // Reads a lock file's text; what it does not say stays empty.
    static JournalLockHolder parse(const QByteArray& text);

    // A process of this computer, in this run of it and in the same
    // process id namespace, so that its process id means the same here.
    bool onThisComputer() const;
    // On this computer: whether its process still runs (the same id and
    // the same start; a zombie counts as gone).
    bool runs() const;

    // This computer's host name, fit to stand in a file name.
    static QByteArray thisHost();
};
