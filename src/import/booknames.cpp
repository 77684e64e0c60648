// The book names of printed references and the publisher's book codes, by our abbreviation.
#include "import/references.h"

#include <QRegularExpression>

namespace references {

namespace {

// Lower case, without diacritics, spaces and full stops: "1. Mojžíšova" → "1mojzisova".
QString folded(const QString &name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_D).toLower();
    QString out;
    for (QChar c : decomposed)
        if (c.isLetterOrNumber() && c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out;
}

struct BookNames {
    const char *abbrev;
    QList<const char16_t *> names; // folded forms
};

// Each book's names as the publishers print them, folded. The first is the reference name of our
// books (books.tsv); the abbreviation itself is always a name too.
const QList<BookNames> &bookNames() {
    static const QList<BookNames> table = {
        {"gn", {u"1mojzisova", u"genesis", u"gen", u"1moj", u"1mojz"}},
        {"ex", {u"2mojzisova", u"exodus", u"2moj", u"2mojz"}},
        {"lv", {u"3mojzisova", u"leviticus", u"lev", u"3moj", u"3mojz"}},
        {"nu", {u"4mojzisova", u"numeri", u"num", u"4moj", u"4mojz"}},
        {"dt", {u"5mojzisova", u"deuteronomium", u"deut", u"5moj", u"5mojz"}},
        {"joz", {u"jozue"}},
        {"sd", {u"soudcu", u"soud"}},
        {"rt", {u"rut"}},
        {"1s", {u"1samuelova", u"1sam", u"1samuel"}},
        {"2s", {u"2samuelova", u"2sam", u"2samuel"}},
        {"1kr", {u"1kralovska", u"1kral"}},
        {"2kr", {u"2kralovska", u"2kral"}},
        {"1pa", {u"1paralipomenon", u"1par", u"1letopisu", u"1kronik"}},
        {"2pa", {u"2paralipomenon", u"2par", u"2letopisu", u"2kronik"}},
        {"ezd", {u"ezdras"}},
        {"neh", {u"nehemias", u"nehemjas"}},
        {"est", {u"ester"}},
        {"jb", {u"job"}},
        {"zl", {u"zalm", u"zalmy", u"z", u"ps", u"zalmu"}},
        {"pr", {u"prislovi", u"pris"}},
        {"kaz", {u"kazatel"}},
        {"pis", {u"pisenpisni", u"pisen", u"velpisen"}},
        {"iz", {u"izaias", u"izajas", u"izaiasuv", u"iza"}},
        {"jr", {u"jeremias", u"jeremjas", u"jer"}},
        {"pl", {u"plac", u"placjeremiasuv", u"plac jeremjasuv"}},
        {"ez", {u"ezechiel", u"ezech"}},
        {"da", {u"daniel", u"dan"}},
        {"oz", {u"ozeas"}},
        {"jl", {u"joel"}},
        {"am", {u"amos"}},
        {"abd", {u"abdias", u"abdijas"}},
        {"jon", {u"jonas"}},
        {"mi", {u"micheas", u"mich"}},
        {"na", {u"nahum"}},
        {"abk", {u"abakuk", u"habakuk"}},
        {"sf", {u"sofonias", u"sofonjas", u"sof"}},
        {"ag", {u"ageus", u"agea"}},
        {"za", {u"zacharias", u"zacharjas", u"zach"}},
        {"mal", {u"malachias"}},
        {"mt", {u"matous", u"mat"}},
        {"mk", {u"marek", u"mar", u"mc"}},
        {"l", {u"lukas", u"luk", u"lk"}},
        {"j", {u"jan", u"jn"}},
        {"sk", {u"skutky", u"skutkyapostolu", u"skut"}},
        {"r", {u"rimanum", u"rim"}},
        {"1k", {u"1korintskym", u"1kor", u"1korintanum"}},
        {"2k", {u"2korintskym", u"2kor", u"2korintanum"}},
        {"ga", {u"galatskym", u"gal", u"galatanum"}},
        {"ef", {u"efezskym", u"efeskym", u"efesanum", u"efezanum", u"ef"}},
        {"fp", {u"filipskym", u"filipanum", u"flp", u"fil"}},
        {"ko", {u"koloskym", u"kolosanum", u"kol"}},
        {"1te", {u"1tesalonickym", u"1tesalonicanum", u"1tes", u"1soluncanum"}},
        {"2te", {u"2tesalonickym", u"2tesalonicanum", u"2tes", u"2soluncanum"}},
        {"1tm", {u"1timoteovi", u"1tim", u"1timoteus"}},
        {"2tm", {u"2timoteovi", u"2tim", u"2timoteus"}},
        {"tt", {u"titovi", u"tit", u"titus"}},
        {"fm", {u"filemonovi", u"filem", u"filemon"}},
        {"zd", {u"zidum", u"hebrejum", u"zid"}},
        {"jk", {u"jakubuv", u"jakubova", u"jakub", u"jak"}},
        {"1p", {u"1petruv", u"1petrova", u"1petr", u"1pt"}},
        {"2p", {u"2petruv", u"2petrova", u"2petr", u"2pt"}},
        {"1j", {u"1januv", u"1janova", u"1jan"}},
        {"2j", {u"2januv", u"2janova", u"2jan"}},
        {"3j", {u"3januv", u"3janova", u"3jan"}},
        {"ju", {u"juduv", u"judova", u"juda", u"jud"}},
        {"zj", {u"zjeveni", u"zjevenijanovo", u"zjev", u"apokalypsa"}},
    };
    return table;
}

// The publisher's book codes that are not our abbreviations.
const QHash<QString, QString> &codes() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("z"), QStringLiteral("zl")},   {QStringLiteral("ps"), QStringLiteral("zl")},
        {QStringLiteral("mc"), QStringLiteral("mk")},  {QStringLiteral("act"), QStringLiteral("sk")},
        {QStringLiteral("ap"), QStringLiteral("zj")},  {QStringLiteral("jos"), QStringLiteral("joz")},
        {QStringLiteral("job"), QStringLiteral("jb")}, {QStringLiteral("is"), QStringLiteral("iz")},
        {QStringLiteral("jer"), QStringLiteral("jr")}, {QStringLiteral("hebr"), QStringLiteral("zd")},
        {QStringLiteral("rm"), QStringLiteral("r")},   {QStringLiteral("jud"), QStringLiteral("ju")},
    };
    return table;
}

// The names by their folded form.
const QHash<QString, QString> &nameIndex() {
    static const QHash<QString, QString> index = [] {
        QHash<QString, QString> out;
        for (const BookNames &b : bookNames()) {
            out.insert(QLatin1String(b.abbrev), QLatin1String(b.abbrev));
            for (const char16_t *name : b.names)
                out.insert(folded(QString::fromUtf16(name)), QLatin1String(b.abbrev));
        }
        return out;
    }();
    return index;
}

// The edit distance, cut off above `limit`.
int distance(const QString &a, const QString &b, int limit) {
    if (std::abs(int(a.size() - b.size())) > limit)
        return limit + 1;
    QList<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        int best = row[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit)
            return limit + 1;
    }
    return row[b.size()];
}

} // namespace

QString bookForName(const QString &name) {
    const QString key = folded(name);
    if (key.isEmpty() || key.size() > 40)
        return {};
    const auto exact = nameIndex().constFind(key);
    if (exact != nameIndex().cend())
        return *exact;
    // A misspelling: within one letter of a name of five letters or more, two of nine or more;
    // the number in front of the name must be the same. Only one book may be that near.
    if (key.size() < 5)
        return {};
    const int limit = key.size() >= 9 ? 2 : 1;
    QString found;
    int best = limit + 1;
    bool tie = false;
    for (auto it = nameIndex().cbegin(); it != nameIndex().cend(); ++it) {
        if (it.key().size() < 5 || it.key().front().isDigit() != key.front().isDigit() ||
            (key.front().isDigit() && it.key().front() != key.front()))
            continue;
        const int d = distance(key, it.key(), limit);
        if (d < best) {
            best = d;
            found = *it;
            tie = false;
        } else if (d == best && *it != found) {
            tie = true;
        }
    }
    return best <= limit && !tie ? found : QString();
}

QString bookForCode(const QString &code) {
    const QString key = folded(code);
    if (const auto it = codes().constFind(key); it != codes().cend())
        return *it;
    for (const BookNames &b : bookNames())
        if (key == QLatin1String(b.abbrev))
            return key;
    return {};
}

bool isDeuterocanonical(const QString &name) {
    static const QRegularExpression books(
        QStringLiteral("^(tob|tobias|sir|sirach|sirachovec|siracovec|judit|jdt|moudrost|mdr|baruk|bar|[12]"
                       "mak|[12]makabejska|"
                       "pridavkyk.*|3ezd|4ezd|manases|modlitbamanasesova)$"));
    return books.match(folded(name)).hasMatch();
}

} // namespace references
