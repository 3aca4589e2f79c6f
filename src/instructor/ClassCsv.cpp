#include "instructor/ClassCsv.h"

#include "instructor/ClassColumns.h"
#include "instructor/JournalModel.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

QString field(QString text, QChar separator)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text[0]) && !plainNumber.match(text).hasMatch())
        text.prepend(QLatin1Char('\''));
    if (text.contains(separator) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
        || text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

} // namespace

QByteArray ClassCsv::write(const JournalModel& model, const QList<int>& rows, QChar separator)
{
    QStringList header;
    for (int c = 0; c < ClassColumns::Count; ++c)
        header << ClassColumns::title(c, ClassColumns::Csv);

    QString out;
    out.reserve(int(rows.size()) * 96 + 256);
    auto line = [&](const QStringList& fields) {
        for (int i = 0; i < fields.size(); ++i) {
            if (i > 0)
                out += separator;
            out += field(fields[i], separator);
        }
        out += QLatin1String("\r\n");
    };
    line(header);
    for (int row : rows) {
        const StudentRecord& r = model.record(row);
        QStringList fields;
        for (int c = 0; c < ClassColumns::Count; ++c)
            fields << ClassColumns::cell(c, r, row, ClassColumns::Csv);
        line(fields);
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}
