#include "import/tableimport.h"

#include "import/pagedesign.h"
#include "platform/cp1250.h"
#include "platform/profile.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace tableimport {

namespace {

struct Record {
    int line = 0; // the line on which the record begins
    QStringList fields;
};

// Splits CSV or TSV text into records. A field in double quotes may hold the separator and
// doubled quotes; a quote not closed on its own line is an error on that line (no field of the
// table may break a line, so a missing quote cannot pair with one further down).
QList<Record> splitRecords(const QString &text, QChar separator, QList<TableError> &errors) {
    QList<Record> records;
    Record record{1, {}};
    QString field;
    int line = 1; // records never span lines
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool fieldStarted = false;
    const auto endRecord = [&] {
        record.fields.append(field);
        field.clear();
        fieldStarted = false;
        if (!(record.fields.size() == 1 && record.fields.front().isEmpty()))
            records.append(record); // blank lines are passed over
        record = Record{line, {}};
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"' && !fieldStarted) {
            const int openedAt = line;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (text[i] == u'\n' || text[i] == u'\r')
                    break; // a day is one line: a quote still open at the line's end is not closed
                field += text[i++];
            }
            if (!closed) {
                errors.append({openedAt, QStringLiteral("uvozovky otevřené na tomto řádku se nezavírají")});
                return {};
            }
            fieldStarted = true;
            if (i < n && text[i] != separator && text[i] != u'\r' && text[i] != u'\n') {
                errors.append({line, QStringLiteral("uvozovky nejsou v páru: za uzavírací uvozovkou smí stát "
                                                    "jen oddělovač nebo konec řádku")});
                return {};
            }
            continue;
        }
        if (c == separator) {
            record.fields.append(field);
            field.clear();
            fieldStarted = false;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
            ++i;
        }
    }
    if (fieldStarted || !record.fields.isEmpty())
        endRecord();
    return records;
}

// TSV when the header row holds a tab, CSV otherwise.
QChar separatorFor(const QString &text) {
    const QString header = text.left(text.indexOf(u'\n'));
    return header.contains(u'\t') ? u'\t' : u',';
}

// "15.3.2026" or "2026-03-15".
QDate parseDate(const QString &text) {
    static const QRegularExpression czech(QStringLiteral("^(\\d{1,2})\\.\\s*(\\d{1,2})\\.\\s*(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    if (const auto m = czech.match(text); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (const auto m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return {};
}

QString dayText(const QDate &date) {
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

const QStringList kRequired = {QStringLiteral("datum"), QStringLiteral("heslo"),
                               QStringLiteral("heslo_odkaz"), QStringLiteral("text"),
                               QStringLiteral("text_odkaz")};
const QStringList kReadings = {QStringLiteral("cteni1"), QStringLiteral("cteni2"), QStringLiteral("cteni3"),
                               QStringLiteral("perikopa")};
// All the columns, in that order.
const QStringList kColumns = kRequired + kReadings;
enum Column : qsizetype { Datum, Heslo, HesloOdkaz, Text, TextOdkaz, Cteni1, Cteni2, Cteni3, Perikopa };

struct Day {
    int line = 0;
    pagedesign::DayText text;
    pagedesign::DayReadings readings;
};

QString codePoint(char32_t c) {
    return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// A field's text must fit on the day's line in code page 1250.
void checkField(const QString &column, const QString &value, int line, QList<TableError> &errors) {
    for (const QChar &c : value) {
        if (c == u'\r' || c == u'\n') {
            errors.append(
                {line, QStringLiteral("sloupec %1: konec řádku uvnitř textu; den musí být na jednom řádku")
                           .arg(column)});
            return;
        }
        if ((c.unicode() < 0x20 && c != u'\t') || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) {
            errors.append(
                {line, QStringLiteral("sloupec %1: řídicí znak %2").arg(column, codePoint(c.unicode()))});
            return;
        }
        if (!cp1250::canEncode(c)) {
            // A character beyond U+FFFF is named whole, not by the first half of its pair.
            const qsizetype i = &c - value.constData();
            const bool pair = c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate();
            const char32_t point = pair ? QChar::surrogateToUcs4(c, value[i + 1]) : c.unicode();
            errors.append({line, QStringLiteral("sloupec %1: znak „%2“ (%3) nelze zapsat ve Windows-1250")
                                     .arg(column, value.mid(i, pair ? 2 : 1), codePoint(point))});
            return;
        }
    }
}

} // namespace

Year readTable(QByteArrayView bytes, int year) {
    Year out;
    QList<TableError> &errors = out.errors;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        errors.append({0, QStringLiteral("tabulka není v kódování UTF-8")});
        return out;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<Record> records = splitRecords(text, separatorFor(text), errors);
    if (!errors.isEmpty())
        return out;
    if (records.isEmpty()) {
        errors.append({1, QStringLiteral("tabulka je prázdná; první řádek má být záhlaví se jmény sloupců")});
        return out;
    }

    QHash<QString, qsizetype> column;
    const Record &header = records.front();
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString name = header.fields[i].trimmed().toLower();
        if (!kRequired.contains(name) && !kReadings.contains(name))
            errors.append({header.line, QStringLiteral("neznámý sloupec „%1“").arg(header.fields[i])});
        else if (column.contains(name))
            errors.append({header.line, QStringLiteral("sloupec %1 je v záhlaví dvakrát").arg(name)});
        else
            column.insert(name, i);
    }
    for (const QString &name : kRequired)
        if (!column.contains(name))
            errors.append({header.line, QStringLiteral("v záhlaví chybí sloupec %1").arg(name)});
    if (!errors.isEmpty())
        return out;
    const bool hasReadings = std::any_of(kReadings.begin(), kReadings.end(),
                                         [&](const QString &name) { return column.contains(name); });

    QList<qsizetype> at; // each column's place in a record, -1 where the table has none
    for (const QString &name : kColumns)
        at.append(column.value(name, -1));

    QMap<QDate, Day> days;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Record &rec = records[r];
        if (rec.fields.size() != header.fields.size()) {
            errors.append({rec.line, QStringLiteral("řádek má %1 polí, záhlaví %2")
                                         .arg(rec.fields.size())
                                         .arg(header.fields.size())});
            continue;
        }
        // The record's value of each column, trimmed, in the order of kColumns (empty where the
        // table has no such column).
        QStringList value(kColumns.size());
        for (qsizetype c = 0; c < kColumns.size(); ++c)
            if (at[c] >= 0)
                value[c] = rec.fields[at[c]].trimmed();
        const QDate date = parseDate(value[Datum]);
        if (!date.isValid()) {
            errors.append(
                {rec.line,
                 QStringLiteral("datum „%1“ není den ve tvaru d.M.rrrr ani rrrr-MM-dd").arg(value[Datum])});
            continue;
        }
        if (year == 0)
            year = date.year();
        if (date.year() != year) {
            errors.append({rec.line, QStringLiteral("datum %1 je mimo rok %2").arg(dayText(date)).arg(year)});
            continue;
        }
        if (days.contains(date)) {
            errors.append({rec.line, QStringLiteral("datum %1 je v tabulce podruhé (poprvé na řádku %2)")
                                         .arg(dayText(date))
                                         .arg(days.value(date).line)});
            continue;
        }
        for (qsizetype c = 0; c < kColumns.size(); ++c)
            checkField(kColumns[c], value[c], rec.line, errors);
        for (qsizetype c = Cteni1; c <= Perikopa; ++c)
            if (ProfileText::valueAsRead(value[c]) != value[c])
                errors.append(
                    {rec.line, QStringLiteral("sloupec %1: odkaz „%2“ je v uvozovkách; do rejstříku čtení "
                                              "se píše bez nich")
                                   .arg(kColumns[c], value[c])});
        for (const qsizetype c : {Heslo, Text})
            if (value[c].isEmpty())
                errors.append({rec.line, QStringLiteral("sloupec %1 je prázdný").arg(kColumns[c])});
        days.insert(date, Day{rec.line,
                              {value[Heslo], value[HesloOdkaz], value[Text], value[TextOdkaz]},
                              {value[Cteni1], value[Cteni2], value[Cteni3], value[Perikopa]}});
    }
    if (year == 0) {
        errors.append({0, QStringLiteral("tabulka nemá žádný den")});
        return out;
    }
    if (year < 1901 || year > 2099) {
        errors.append({0, QStringLiteral("rok %1 není mezi 1901 a 2099").arg(year)});
        return out;
    }
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
        if (!days.contains(d))
            errors.append({0, QStringLiteral("chybí den %1").arg(dayText(d))});
    out.year = year;
    if (!errors.isEmpty())
        return out;

    out.days = int(days.size());
    out.pages = pagedesign::yearFile(
        year, [&](const QDate &date) { return pagedesign::dayLine(date, days.value(date).text); });
    if (hasReadings) {
        QString index;
        for (auto it = days.cbegin(); it != days.cend(); ++it)
            index += pagedesign::readingsSection(it.key(), it->readings);
        out.readings = cp1250::fromUnicode(index);
    }
    return out;
}

QString errorText(const TableError &error) {
    return error.line > 0 ? QStringLiteral("řádek %1: %2").arg(error.line).arg(error.message) : error.message;
}

} // namespace tableimport
