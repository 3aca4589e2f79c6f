#include "instructor/ClassCsv.h"

#include "instructor/JournalModel.h"
#include "journal/StudentRecordText.h"

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
    QStringList header { QStringLiteral("№"), QStringLiteral("Ф.И.О."), QStringLiteral("Шифр"),
                         QStringLiteral("Баллы"), QStringLiteral("Тест") };
    for (int k = 1; k <= 6; ++k)
        header << StudentRecordText::measurementName(k);
    header << QStringLiteral("Работа");

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
        QStringList fields { QString::number(row), StudentRecordText::name(r), StudentRecordText::code(r),
                             StudentRecordText::score(r), StudentRecordText::verdict(r) };
        for (int k = 1; k <= 6; ++k) {
            const QString odd = StudentRecordText::oddFlagText(r, k);
            fields << (StudentRecordText::measured(r, k) ? QStringLiteral("да")
                       : odd.isEmpty()              ? QStringLiteral("нет")
                                                    : odd);
        }
        fields << StudentRecordText::work(r);
        line(fields);
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}
