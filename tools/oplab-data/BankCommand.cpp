#include "BankCommand.h"

#include "admission/BankCheck.h"
#include "admission/BankFormat.h"
#include "admission/BankImage.h"
#include "platform/EInOutError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

const QString Usage = QStringLiteral(
    "usage: oplab-data bank import SOURCE BANK [--format aiken|moodle-xml|gift] [--strict]"
    " | bank export BANK [--format aiken|moodle-xml|gift] | bank check BANK");

// The options of import and export, taken out of the arguments.
struct Options
{
    std::optional<BankFormat::Kind> Format;
    bool Strict = false;
};

QString questions(size_t count)
{
    return count == 1 ? QStringLiteral("1 question") : QStringLiteral("%1 questions").arg(count);
}

// The whole of a file; a file that cannot be read is an error naming it.
QByteArray readFile(const QString& path)
{
    if (QFileInfo(path).isDir())
        throw Exception(QStringLiteral("%1: is a folder, not a file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return bytes;
}

// Writes the bank through a temporary file in the same folder that takes
// the bank's name only when it is complete, so a failed write leaves an
// existing bank as it was.
void writeBank(const QString& path, const QByteArray& bytes)
{
    // A bank without any write permission bit has been made read-only on
    // purpose; the bench treats it so for every account, and so does this.
    const QFileInfo info(path);
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && !(info.permissions() & writeBits))
        throw Exception(QStringLiteral("%1: %2").arg(path, EInOutError::textFor(EInOutError::AccessDenied)));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

// The bank is written when at least one question comes through. Questions
// the bank cannot hold are named on standard error; with them the import
// ends in status 1 (a finding: the bank lacks what the source held), and
// with --strict nothing is written and the status is 2.
int importBank(const CommandLine& command, const QString& source, const QString& bank, const Options& options)
{
    const std::optional<BankFormat::Kind> format = options.Format ? options.Format : BankFormat::fromFileName(source);
    if (!format)
        throw Exception(QStringLiteral("%1: the format is not known by the name's ending (.txt, .aiken, .xml, "
                                       ".gift); give --format aiken|moodle-xml|gift")
                            .arg(source));
    const ImportedQuestions got = BankFormat::read(*format, readFile(source), source);
    for (const SkippedQuestion& skipped : got.Skipped)
        command.Err << "oplab-data: " << skipped.message(source) << '\n';
    command.Err.flush();
    const size_t skipped = got.Skipped.size();
    if (skipped > 0 && options.Strict)
        throw Exception(QStringLiteral("%1: %2 the bank cannot hold; nothing imported (--strict)")
                            .arg(source, questions(skipped)));
    if (got.Records.empty())
        throw Exception(QStringLiteral("%1: no question the bank can hold").arg(source));
    writeBank(bank, BankImage::bytes(got.Records));
    command.Out << bank << ": " << questions(got.Records.size());
    if (skipped > 0)
        command.Out << ", " << skipped << " skipped";
    command.Out << Qt::endl;
    return skipped > 0 ? 1 : 0;
}

int exportBank(const CommandLine& command, const QString& bank, const Options& options)
{
    const QByteArray bytes = readFile(bank);
    const BankFormat::Kind format = options.Format.value_or(BankFormat::Aiken);
    const QByteArray text = BankFormat::write(format, BankImage::records(bytes), bank);
    if (const qsizetype tail = BankImage::trailingBytes(bytes); tail > 0)
        command.Err << "oplab-data: " << bank << ": " << tail
                    << " bytes after the last whole record are not exported" << Qt::endl;
    command.Out << QString::fromUtf8(text);
    command.Out.flush();
    return 0;
}

int checkBank(const CommandLine& command, const QString& bank)
{
    const QByteArray bytes = readFile(bank);
    const QStringList findings = BankCheck::findings(bytes);
    for (const QString& finding : findings)
        command.Out << bank << ": " << finding << '\n';
    if (findings.isEmpty())
        command.Out << bank << ": " << questions(BankImage::records(bytes).size()) << ", no faults" << '\n';
    command.Out.flush();
    return findings.isEmpty() ? 0 : 1;
}

} // namespace

int runBankCommand(const CommandLine& command)
{
    QStringList args = command.Args;
    const QString action = args.isEmpty() ? QString() : args.takeFirst();
    Options options;
    bool formatGiven = false;
    for (qsizetype i = 0; i < args.size();) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--strict") && !options.Strict) {
            options.Strict = true;
            args.removeAt(i);
        } else if ((arg == QLatin1String("--format") || arg.startsWith(QLatin1String("--format="))) && !formatGiven) {
            const bool joined = arg.contains(QLatin1Char('='));
            if (!joined && i + 1 >= args.size())
                return command.fail(Usage);
            const QString name = joined ? arg.section(QLatin1Char('='), 1) : args[i + 1];
            options.Format = BankFormat::fromName(name);
            if (!options.Format)
                return command.fail(QStringLiteral("unknown format '%1'; use aiken, moodle-xml or gift").arg(name));
            formatGiven = true;
            args.remove(i, joined ? 1 : 2);
        } else {
            ++i;
        }
    }
    try {
        if (action == QLatin1String("import") && args.size() == 2)
            return importBank(command, args[0], args[1], options);
        if (action == QLatin1String("export") && args.size() == 1 && !options.Strict)
            return exportBank(command, args[0], options);
        if (action == QLatin1String("check") && args.size() == 1 && !options.Strict && !formatGiven)
            return checkBank(command, args[0]);
    } catch (const Exception& e) {
        return command.fail(e.message());
    }
    return command.fail(Usage);
}
