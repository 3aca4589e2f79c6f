#pragma once

// A run of one of the command-line tools as the instructor runs it: its
// exit status (-1 when it did not end normally) and what it printed,
// decoded as UTF-8.

#include <QProcess>
#include <QString>
#include <QStringList>


struct ToolRun
{
    int Status = -1;
    QString Out;
    QString Err;
};

inline ToolRun runTool(const QString& program, const QStringList& args,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    if (!p.waitForFinished(30000))
        qFatal("%s did not finish", qPrintable(program));
    return ToolRun { p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                     QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}
