#include "JournalInput.h"

#include "FuzzProperty.h"
#include "ScratchFile.h"

#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/JournalCheck.h"
#include "journal/JournalListing.h"
#include "journal/Registration.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype RecordSize = sizeof(StudentRecord);

std::vector<StudentRecord> wholeRecords(const QByteArray& data)
{
    std::vector<StudentRecord> records(size_t(data.size() / RecordSize));
    if (!records.empty())
        std::memcpy(records.data(), data.constData(), records.size() * sizeof(StudentRecord));
    return records;
}

void listings(const std::vector<StudentRecord>& records)
{
    for (const JournalListing::Format format : { JournalListing::Table, JournalListing::Csv, JournalListing::Json }) {
        QString text;
        QTextStream out(&text);
        JournalListing listing(out, format, std::int64_t(records.size()));
        for (size_t i = 0; i < records.size(); ++i)
            listing.row(std::int64_t(i), records[i]);
        listing.finish();
        out.flush();
        if (format == JournalListing::Json) {
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
            FuzzProperty::require(error.error == QJsonParseError::NoError, "the JSON listing parses",
                                  error.errorString().toUtf8());
            FuzzProperty::require(doc.array().size() == qsizetype(records.size()),
                                  "the JSON listing has a row per record");
        } else if (format == JournalListing::Table) {
            // Controls are replaced, so every record is one line.
            FuzzProperty::require(text.count(QLatin1Char('\n')) == qsizetype(records.size()) + 1,
                                  "the table has a line per record");
        }
    }
}

} // namespace

void JournalInput::run(const QByteArray& data)
{
    static ScratchFile file(QStringLiteral("Students.DAT"));
    const std::vector<StudentRecord> records = wholeRecords(data);

    // The check: the first record with each code is the one the lookup
    // finds; a partial record is named exactly when there is one.
    JournalCheck check;
    QHash<std::int32_t, std::int64_t> first;
    std::vector<std::int32_t> order; // the codes in the order first met
    for (size_t i = 0; i < records.size(); ++i) {
        check.record(records[i]);
        std::int32_t code = 0;
        if (records[i].code(code) && !first.contains(code)) {
            first.insert(code, std::int64_t(i));
            order.push_back(code);
        }
    }
    FuzzProperty::require(check.end(data.size()).size() == (data.size() % RecordSize ? 1 : 0),
                          "a partial record is one finding");
    FuzzProperty::require(check.records() == std::int64_t(records.size()), "every whole record is checked");
    listings(records);

    // The lookup of registration over the file agrees with the check.
    file.write(data);
    Journal journal(file.path());
    // The first codes met and the last one, which the lookup reaches
    // only after reading every record before it.
    std::vector<std::int32_t> probes(order.begin(), order.begin() + std::min<size_t>(order.size(), 3));
    if (order.size() > 3)
        probes.push_back(order.back());
    for (const std::int32_t code : probes) {
        journal.openForReading();
        FuzzProperty::require(journal.findCode(code), "a stored code is found", QByteArray::number(code));
        const std::int64_t at = first.value(code);
        FuzzProperty::require(journal.file().filePos() == at, "the lookup stops at the first record of a code",
                              QByteArray::number(code));
        FuzzProperty::require(std::memcmp(&journal.student(), &records[size_t(at)], sizeof(StudentRecord)) == 0,
                              "the working record is the record found");
        journal.close();
    }

    // A registration of a code that is not stored appends exactly one
    // record after the last whole one and changes nothing before it.
    std::int32_t fresh = 999999;
    while (first.contains(fresh))
        --fresh;
    try {
        Registration(QStringLiteral("Новый Н.Н."), QString::number(fresh), journal).run();
    } catch (const Exception& e) {
        FuzzProperty::require(false, "a registration in a readable journal succeeds", e.message().toUtf8());
    }
    journal.close();
    const QByteArray after = file.read();
    const qsizetype kept = qsizetype(records.size()) * RecordSize;
    FuzzProperty::require(after.size() == kept + RecordSize, "a registration appends one record over a partial one");
    FuzzProperty::require(after.left(kept) == data.left(kept), "a registration keeps every whole record");
    StudentRecord added;
    std::memcpy(&added, after.constData() + kept, sizeof added);
    std::int32_t code = 0;
    FuzzProperty::require(added.code(code) && code == fresh, "the record appended holds the code registered");
}
