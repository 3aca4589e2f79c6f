#include "BankCommand.h"

#include "admission/AikenReader.h"
#include "admission/AikenWriter.h"
#include "admission/BankCheck.h"
#include "admission/BankImage.h"
#include "platform/EInOutError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString Usage = QStringLiteral(
    "usage: oplab-data bank import SOURCE BANK | bank export BANK | bank check BANK");

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

int importBank(const CommandLine& command, const QString& source, const QString& bank)
{
    const std::vector<QuestionRecord> records = AikenReader::read(readFile(source), source);
    writeBank(bank, BankImage::bytes(records));
    command.Out << bank << ": " << questions(records.size()) << Qt::endl;
    return 0;
}

int exportBank(const CommandLine& command, const QString& bank)
{
    const QByteArray bytes = readFile(bank);
    const QByteArray text = AikenWriter::write(BankImage::records(bytes), bank);
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
    const QStringList& args = command.Args;
    const QString action = args.value(0);
    try {
        if (action == QLatin1String("import") && args.size() == 3)
            return importBank(command, args[1], args[2]);
        if (action == QLatin1String("export") && args.size() == 2)
            return exportBank(command, args[1]);
        if (action == QLatin1String("check") && args.size() == 2)
            return checkBank(command, args[1]);
    } catch (const Exception& e) {
        return command.fail(e.message());
    }
    return command.fail(Usage);
}
