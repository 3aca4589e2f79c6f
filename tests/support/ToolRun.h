#pragma once

// A program of the lab (oplab-data, a test's helper) run to its end as the
// instructor or a student runs it: its exit status and what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace fixture {

struct ToolRun
{
    int status = -1; // -1: it did not end, or crashed
    QString out;
    QString err;

    // The lines of a checklist marked failed ("✗ ...").
    QStringList failedLines() const
    {
        QStringList failed;
        for (const QString& line : out.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("✗")))
                failed << line;
        return failed;
    }
};

// Runs the program with the arguments; `prepare` sets the process up first
// (its environment, its folder, its account).
inline ToolRun runTool(const QString& program, const QStringList& args,
                       const std::function<void(QProcess&)>& prepare = {})
{
    QProcess p;
    if (prepare)
        prepare(p);
    p.start(program, args);
    ToolRun run;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

} // namespace fixture
