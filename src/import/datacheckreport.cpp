// The data check's report: the years of a folder, and the problems as lines or JSON.
#include "import/datacheck.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace datacheck {

QList<int> yearsIn(const QString &folder) {
    static const QRegularExpression yearFile(QStringLiteral("^(?:Kerla(\\d{4})\\.rtf|Cteni(\\d{4})\\.sj)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    QList<int> years;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const auto m = yearFile.match(name);
        if (!m.hasMatch())
            continue;
        const int year = (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toInt();
        if (!years.contains(year))
            years.append(year);
    }
    std::sort(years.begin(), years.end());
    return years;
}

QString textLine(const Problem &p) {
    QString where;
    if (!p.day.isEmpty())
        where = p.day;
    if (p.line > 0)
        where +=
            (where.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("řádek %1").arg(p.line);
    return p.file + QStringLiteral(": ") + (where.isEmpty() ? QString() : where + QStringLiteral(": ")) +
           p.message;
}

QByteArray json(const QList<Problem> &problems) {
    QByteArray out = "[";
    for (qsizetype i = 0; i < problems.size(); ++i) {
        const Problem &p = problems[i];
        QJsonObject o;
        o.insert(QStringLiteral("file"), p.file);
        o.insert(QStringLiteral("line"), p.line > 0 ? QJsonValue(p.line) : QJsonValue());
        o.insert(QStringLiteral("date"), p.day.isEmpty() ? QJsonValue() : QJsonValue(p.day));
        o.insert(QStringLiteral("code"), p.code);
        o.insert(QStringLiteral("message"), p.message);
        out += (i ? ",\n " : "\n ") + QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    return out + (problems.isEmpty() ? "]\n" : "\n]\n");
}

} // namespace datacheck
