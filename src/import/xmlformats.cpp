#include "import/xmlformats.h"

namespace xmlformats {

using xmltree::Node;
using yeartext::Line;
using yeartext::Passage;
using yeartext::Problem;
using yeartext::ReadingKind;
using yeartext::Run;

namespace {

// Runs of white space as one blank, the line trimmed at both ends.
void tidy(Line &line) {
    for (Run &run : line) {
        QString text;
        bool blank = false;
        for (QChar c : run.text) {
            if (c.isSpace()) {
                blank = true;
                continue;
            }
            if (blank)
                text += u' ';
            blank = false;
            text += c;
        }
        if (blank)
            text += u' ';
        run.text = text;
    }
    // a blank at a run's end and the next run's start are one
    for (qsizetype i = 1; i < line.size(); ++i)
        if (line[i - 1].text.endsWith(u' ') && line[i].text.startsWith(u' '))
            line[i].text.remove(0, 1);
    while (!line.isEmpty() && line.front().text.trimmed().isEmpty())
        line.removeFirst();
    while (!line.isEmpty() && line.back().text.trimmed().isEmpty())
        line.removeLast();
    if (!line.isEmpty()) {
        while (line.front().text.startsWith(u' '))
            line.front().text.remove(0, 1);
        while (line.back().text.endsWith(u' '))
            line.back().text.chop(1);
    }
}

// A line with its emphasis: X bold, EM italic (nested ones keep both).
void collectRuns(const Node &node, bool bold, bool italic, Line &out) {
    for (const Node &child : node.children) {
        if (child.isText()) {
            out.append({child.text, bold, italic});
            continue;
        }
        const bool x = child.name.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0;
        const bool em = child.name.compare(QLatin1String("EM"), Qt::CaseInsensitive) == 0;
        collectRuns(child, bold || x, italic || em, out);
    }
}

Line lineOf(const Node *node) {
    Line line;
    if (node)
        collectRuns(*node, false, false, line);
    tidy(line);
    return line;
}

int number(const Node &node, const char *attribute) {
    bool ok = false;
    const int n = node.attribute(QLatin1String(attribute)).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QList<yeartext::Place> placesOf(const Node &node) {
    QList<yeartext::Place> places;
    for (const Node *s : node.elements(QStringLiteral("S"))) {
        QString book;
        for (const char *name : {"b", "book", "bk", "kn"})
            if (book.isEmpty())
                book = s->attribute(QLatin1String(name)).trimmed();
        places.append({book, number(*s, "ch"), number(*s, "v"), number(*s, "ch2"), number(*s, "v2")});
    }
    return places;
}

Passage passageOf(const Node &node) {
    Passage p;
    p.intro = lineOf(node.element(QStringLiteral("IL")));
    for (const Node *l : node.elements(QStringLiteral("L"))) {
        Line line = lineOf(l);
        if (!line.isEmpty())
            p.lines.append(line);
    }
    if (const Node *sl = node.element(QStringLiteral("SL")))
        p.reference = sl->simplifiedText();
    p.places = placesOf(node);
    return p;
}

QString dayText(const QDate &date) {
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

bool yearInRange(int year, QList<Problem> &problems) {
    if (year >= 1901 && year <= 2099)
        return true;
    problems.append({{}, QStringLiteral("rok %1 není mezi 1901 a 2099").arg(year), true});
    return false;
}

// Every day of the year once: a doubled day and a missing one are fatal.
void checkDays(const yeartext::Year &year, const QList<QDate> &doubled, QList<Problem> &problems) {
    for (const QDate &d : doubled)
        problems.append({d, QStringLiteral("den %1 je v souboru víc než jednou").arg(dayText(d)), true});
    if (year.days.isEmpty()) {
        problems.append({{}, QStringLiteral("soubor nemá žádný den"), true});
        return;
    }
    for (QDate d(year.year, 1, 1); d.year() == year.year; d = d.addDays(1))
        if (!year.days.contains(d))
            problems.append({d, QStringLiteral("den %1 v souboru chybí").arg(dayText(d)), true});
}

QDate dateOf(const Node &node, int year, QList<Problem> &problems) {
    const QDate date(year, number(node, "m"), number(node, "d"));
    if (!date.isValid())
        problems.append(
            {{},
             QStringLiteral("prvek %1 má datum d=„%2“ m=„%3“, které v roce %4 není")
                 .arg(node.name, node.attribute(QStringLiteral("d")), node.attribute(QStringLiteral("m")))
                 .arg(year),
             true});
    return date;
}

const std::pair<const char *, ReadingKind> kReadings[] = {
    {"SR", ReadingKind::Continuous},     {"CR", ReadingKind::Year},     {"Ev", ReadingKind::Gospel},
    {"Ep", ReadingKind::Epistle},        {"Pr", ReadingKind::Sermon},   {"AT", ReadingKind::OldTestament},
    {"Bl", ReadingKind::Psalm},          {"Ev2", ReadingKind::Gospel2}, {"Ep2", ReadingKind::Epistle2},
    {"AT2", ReadingKind::OldTestament2}, {"Pr2", ReadingKind::Sermon2},
};

} // namespace

yeartext::Year readLosfile(const Node &root, QList<Problem> &problems) {
    yeartext::Year out;
    out.format = QStringLiteral("LOSFILE");
    out.year = number(root, "year");
    if (out.year == 0)
        if (const Node *y = root.element(QStringLiteral("YEAR")))
            out.year = number(*y, "y");
    if (!yearInRange(out.year, problems))
        return out;
    QMap<QDate, QList<yeartext::Feast>> feasts;
    QList<QDate> doubled;
    for (const Node &node : root.children) {
        const QString name = node.name.toUpper();
        if (name == QLatin1String("YEAR")) {
            out.yearWatchword = passageOf(node);
        } else if (name == QLatin1String("MONTH")) {
            const int m = number(node, "m");
            if (m >= 1 && m <= 12)
                out.monthWatchwords.insert(m, passageOf(node));
            else
                problems.append(
                    {{},
                     QStringLiteral("prvek MONTH má měsíc m=„%1“").arg(node.attribute(QStringLiteral("m")))});
        } else if (name == QLatin1String("WEEK")) {
            const QDate date = dateOf(node, out.year, problems);
            if (date.isValid())
                out.weekWatchwords.insert(date, passageOf(node));
        } else if (name == QLatin1String("DAY")) {
            const QDate date = dateOf(node, out.year, problems);
            if (date.isValid())
                feasts[date].append({node.attribute(QStringLiteral("type")).trimmed().toLower(),
                                     node.attribute(QStringLiteral("name")).simplified(), passageOf(node)});
        } else if (name == QLatin1String("LOSUNG")) {
            const QDate date = dateOf(node, out.year, problems);
            if (!date.isValid())
                continue;
            if (out.days.contains(date)) {
                if (!doubled.contains(date))
                    doubled.append(date);
                continue;
            }
            yeartext::Day day;
            day.date = date;
            if (const Node *tl = node.element(QStringLiteral("TL")))
                day.title = tl->simplifiedText();
            if (const Node *ot = node.element(QStringLiteral("OT")))
                day.watchword = passageOf(*ot);
            if (const Node *nt = node.element(QStringLiteral("NT")))
                day.teaching = passageOf(*nt);
            if (const Node *tt = node.element(QStringLiteral("TT")))
                day.hymn = passageOf(*tt);
            for (const Node *c : node.elements(QStringLiteral("C")))
                for (const Node *l : c->elements(QStringLiteral("L")))
                    if (Line line = lineOf(l); !line.isEmpty())
                        day.commemorations.append(line);
            for (const auto &[element, kind] : kReadings)
                for (const Node *r : node.elements(QLatin1String(element))) {
                    const Passage p = passageOf(*r);
                    if (!p.reference.isEmpty() || !p.places.isEmpty())
                        day.readings.append({kind, p.reference, p.places});
                }
            out.days.insert(date, day);
        }
    }
    for (auto it = feasts.cbegin(); it != feasts.cend(); ++it)
        if (out.days.contains(it.key()))
            out.days[it.key()].feasts = *it;
    checkDays(out, doubled, problems);
    return out;
}

Passage freeXmlPassage(const QString &text, const QString &reference) {
    Passage p;
    p.reference = reference.simplified();
    QString rest = text.simplified();
    if (rest.startsWith(u'/')) {
        const qsizetype close = rest.indexOf(u'/', 1);
        if (close > 0) {
            p.intro = Line{{rest.mid(1, close - 1).trimmed(), false, true}};
            rest = rest.mid(close + 1).trimmed();
        }
    }
    Line line;
    bool bold = false;
    const bool paired = rest.count(u'#') % 2 == 0;
    QString run;
    for (QChar c : rest) {
        if (c == u'#' && paired) {
            if (!run.isEmpty())
                line.append({run, bold, false});
            run.clear();
            bold = !bold;
            continue;
        }
        run += c;
    }
    if (!run.isEmpty())
        line.append({run, bold, false});
    tidy(line);
    if (!line.isEmpty())
        p.lines.append(line);
    return p;
}

yeartext::Year readFreeXml(const Node &root, QList<Problem> &problems) {
    yeartext::Year out;
    out.format = QStringLiteral("FreeXml");
    QList<QDate> doubled;
    for (const Node *day : root.elements(QStringLiteral("Losungen"))) {
        const auto text = [&](const char *name) {
            const Node *n = day->element(QLatin1String(name));
            return n ? n->simplifiedText() : QString();
        };
        const QString datum = text("Datum");
        const QDate date = QDate::fromString(datum.left(10), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid()) {
            problems.append({{}, QStringLiteral("datum „%1“ není den ve tvaru rrrr-MM-dd").arg(datum), true});
            continue;
        }
        if (out.year == 0 && !yearInRange(out.year = date.year(), problems))
            return out;
        if (date.year() != out.year) {
            problems.append(
                {date, QStringLiteral("den %1 je mimo rok %2").arg(dayText(date)).arg(out.year), true});
            continue;
        }
        if (out.days.contains(date)) {
            if (!doubled.contains(date))
                doubled.append(date);
            continue;
        }
        yeartext::Day d;
        d.date = date;
        const QString weekday = text("Wtag");
        d.title =
            weekday.isEmpty()
                ? QString()
                : weekday + QStringLiteral(" %1. %2. %3").arg(date.day()).arg(date.month()).arg(date.year());
        if (const QString sunday = text("Sonntag"); !sunday.isEmpty())
            d.feasts.append({QStringLiteral("sunday"), sunday, {}});
        d.watchword = freeXmlPassage(text("Losungstext"), text("Losungsvers"));
        d.teaching = freeXmlPassage(text("Lehrtext"), text("Lehrtextvers"));
        out.days.insert(date, d);
    }
    checkDays(out, doubled, problems);
    return out;
}

} // namespace xmlformats
