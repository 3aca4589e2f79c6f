// oplab-data: the instructor's tool for the lab's data files.
//
//   oplab-data lab init [--force] [--group GROUP [--owner USER]] DIR
//                                          a lab folder from the template, or
//                                          a class's laid out and mended
//   oplab-data lab check DIR               what a class needs, as a checklist
//   oplab-data bank import SOURCE BANK     Aiken, Moodle XML or GIFT to a bank
//   oplab-data bank export BANK            a bank back to text (Aiken unless --format)
//   oplab-data bank check BANK             faults of a bank
//   oplab-data journal list JOURNAL [--csv|--json]
//   oplab-data journal check JOURNAL
//   oplab-data journal find JOURNAL CODE
//   oplab-data journal register JOURNAL CODE NAME
//   oplab-data journal keep JOURNAL          a version kept when it changed
//   oplab-data journal history JOURNAL       the versions kept
//   oplab-data journal diff OLD NEW          the changes, those no bench makes marked
//   oplab-data journal restore JOURNAL VERSION
//
// Exit status: 0 done, 1 a finding, 2 an error.
#include "BankCommand.h"
#include "CommandLine.h"
#include "JournalCommand.h"
#include "LabCommand.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

const char* const Usage =
    "usage:\n"
    "  oplab-data lab init [--force] [--group GROUP [--owner USER]] DIR\n"
    "  oplab-data lab check DIR\n"
    "  oplab-data bank import SOURCE BANK [--format aiken|moodle-xml|gift] [--strict]\n"
    "  oplab-data bank export BANK [--format aiken|moodle-xml|gift]\n"
    "  oplab-data bank check BANK\n"
    "  oplab-data journal list JOURNAL [--csv|--json]\n"
    "  oplab-data journal check JOURNAL\n"
    "  oplab-data journal find JOURNAL CODE\n"
    "  oplab-data journal register JOURNAL CODE NAME\n"
    "  oplab-data journal keep JOURNAL\n"
    "  oplab-data journal history JOURNAL\n"
    "  oplab-data journal diff OLD NEW [--journal JOURNAL]\n"
    "  oplab-data journal restore JOURNAL VERSION\n"
    "  oplab-data --version\n";

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(OPLAB_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h")) {
        (args.isEmpty() ? err : out) << Usage;
        return args.isEmpty() ? 2 : 0;
    }
    if (args.front() == QLatin1String("--version") || args.front() == QLatin1String("-v")) {
        out << "oplab-data " << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    const QString group = args.takeFirst();
    const CommandLine command{args, out, err};
    if (group == QLatin1String("bank"))
        return runBankCommand(command);
    if (group == QLatin1String("journal"))
        return runJournalCommand(command);
    if (group == QLatin1String("lab"))
        return runLabCommand(command);
    err << "oplab-data: unknown command '" << group << "'\n" << Usage;
    return 2;
}
