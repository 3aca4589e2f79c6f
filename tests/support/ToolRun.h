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
    int Status = -1; // -1: it did not end, or crashed
    QString Out;
    QString Err;

    // The lines of a checklist marked failed ("✗ ...").
    QStringList failedLines() const
    {
        QStringList failed;
        for (const QString& line : Out.split(QLatin1Char('\n')))
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
    run.Status = p.exitCode();
    run.Out = QString::fromUtf8(p.readAllStandardOutput());
    run.Err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// The same in the environment given.
inline ToolRun runTool(const QString& program, const QStringList& args, const QProcessEnvironment& environment)
{
    return runTool(program, args, [&](QProcess& p) { p.setProcessEnvironment(environment); });
}

} // namespace fixture
