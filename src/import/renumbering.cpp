// The renumbering of chapters and verses between the ecumenical translation (the Hebrew chapters,
// the Psalms' titles counted as verses) and our Kralice books (the English chapters and verses).
#include "import/references.h"

namespace references {

namespace {

// The Psalms whose titles the ecumenical translation counts as one verse (1) or two (2): its verse
// v is our verse v − shift, its title lying in our first verse.
const std::pair<int, int> kPsalmTitles[] = {
    {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1},   {8, 1},   {9, 1},   {12, 1},  {13, 1}, {18, 1}, {19, 1},
    {20, 1}, {21, 1}, {22, 1}, {30, 1}, {31, 1},  {34, 1},  {36, 1},  {38, 1},  {39, 1}, {40, 1}, {41, 1},
    {42, 1}, {44, 1}, {45, 1}, {46, 1}, {47, 1},  {48, 1},  {49, 1},  {51, 2},  {52, 2}, {53, 1}, {54, 2},
    {55, 1}, {56, 1}, {57, 1}, {58, 1}, {59, 1},  {60, 2},  {61, 1},  {62, 1},  {63, 1}, {64, 1}, {65, 1},
    {67, 1}, {68, 1}, {69, 1}, {70, 1}, {75, 1},  {76, 1},  {77, 1},  {80, 1},  {81, 1}, {83, 1}, {84, 1},
    {85, 1}, {88, 1}, {89, 1}, {92, 1}, {102, 1}, {108, 1}, {140, 1}, {142, 1},
};

QList<Renumbering> table() {
    QList<Renumbering> rows = {
        // clang-format off
        {"gn", 31, 1, 54, 31, 1, 54},   {"gn", 32, 1, 1, 31, 55, 55},   {"gn", 32, 2, 33, 32, 1, 32},
        {"ex", 7, 1, 25, 7, 1, 25},     {"ex", 7, 26, 29, 8, 1, 4},     {"ex", 8, 1, 28, 8, 5, 32},
        {"ex", 21, 1, 36, 21, 1, 36},   {"ex", 21, 37, 37, 22, 1, 1},   {"ex", 22, 1, 30, 22, 2, 31},
        {"lv", 5, 1, 19, 5, 1, 19},     {"lv", 5, 20, 26, 6, 1, 7},     {"lv", 6, 1, 23, 6, 8, 30},
        {"nu", 16, 1, 35, 16, 1, 35},   {"nu", 17, 1, 15, 16, 36, 50},  {"nu", 17, 16, 28, 17, 1, 13},
        {"nu", 29, 1, 39, 29, 1, 39},   {"nu", 30, 1, 1, 29, 40, 40},   {"nu", 30, 2, 17, 30, 1, 16},
        {"dt", 12, 1, 31, 12, 1, 31},   {"dt", 13, 1, 1, 12, 32, 32},   {"dt", 13, 2, 19, 13, 1, 18},
        {"dt", 22, 1, 29, 22, 1, 29},   {"dt", 23, 1, 1, 22, 30, 30},   {"dt", 23, 2, 26, 23, 1, 25},
        {"dt", 28, 1, 68, 28, 1, 68},   {"dt", 28, 69, 69, 29, 1, 1},   {"dt", 29, 1, 28, 29, 2, 29},
        {"1s", 20, 1, 42, 20, 1, 42},   {"1s", 21, 1, 1, 20, 42, 42},   {"1s", 21, 2, 16, 21, 1, 15},
        {"1s", 23, 1, 28, 23, 1, 28},   {"1s", 24, 1, 1, 23, 29, 29},   {"1s", 24, 2, 23, 24, 1, 22},
        {"2s", 18, 1, 32, 18, 1, 32},   {"2s", 19, 1, 1, 18, 33, 33},   {"2s", 19, 2, 44, 19, 1, 43},
        {"1kr", 4, 1, 20, 4, 1, 20},    {"1kr", 5, 1, 14, 4, 21, 34},   {"1kr", 5, 15, 32, 5, 1, 18},
        {"1kr", 22, 1, 43, 22, 1, 43},  {"1kr", 22, 44, 44, 22, 43, 43}, {"1kr", 22, 45, 54, 22, 44, 53},
        {"2kr", 11, 1, 20, 11, 1, 20},  {"2kr", 12, 1, 1, 11, 21, 21},  {"2kr", 12, 2, 22, 12, 1, 21},
        {"1pa", 5, 1, 26, 5, 1, 26},    {"1pa", 5, 27, 41, 6, 1, 15},   {"1pa", 6, 1, 66, 6, 16, 81},
        {"1pa", 12, 1, 4, 12, 1, 4},    {"1pa", 12, 5, 5, 12, 4, 4},    {"1pa", 12, 6, 41, 12, 5, 40},
        {"2pa", 1, 1, 17, 1, 1, 17},    {"2pa", 1, 18, 18, 2, 1, 1},    {"2pa", 2, 1, 17, 2, 2, 18},
        {"2pa", 13, 1, 22, 13, 1, 22},  {"2pa", 13, 23, 23, 14, 1, 1},  {"2pa", 14, 1, 14, 14, 2, 15},
        {"neh", 3, 1, 32, 3, 1, 32},    {"neh", 3, 33, 38, 4, 1, 6},    {"neh", 4, 1, 17, 4, 7, 23},
        {"neh", 9, 1, 37, 9, 1, 37},    {"neh", 10, 1, 1, 9, 38, 38},   {"neh", 10, 2, 40, 10, 1, 39},
        {"jb", 40, 1, 24, 40, 1, 24},   {"jb", 40, 25, 32, 41, 1, 8},   {"jb", 41, 1, 26, 41, 9, 34},
        {"kaz", 4, 1, 16, 4, 1, 16},    {"kaz", 4, 17, 17, 5, 1, 1},    {"kaz", 5, 1, 19, 5, 2, 20},
        {"pis", 6, 1, 12, 6, 1, 12},    {"pis", 7, 1, 1, 6, 13, 13},    {"pis", 7, 2, 14, 7, 1, 13},
        {"iz", 8, 1, 22, 8, 1, 22},     {"iz", 8, 23, 23, 9, 1, 1},     {"iz", 9, 1, 20, 9, 2, 21},
        {"iz", 64, 1, 11, 64, 2, 12},
        {"jr", 8, 1, 22, 8, 1, 22},     {"jr", 8, 23, 23, 9, 1, 1},     {"jr", 9, 1, 25, 9, 2, 26},
        {"ez", 20, 1, 44, 20, 1, 44},   {"ez", 21, 1, 5, 20, 45, 49},   {"ez", 21, 6, 37, 21, 1, 32},
        {"da", 3, 1, 30, 3, 1, 30},     {"da", 3, 31, 33, 4, 1, 3},     {"da", 4, 1, 34, 4, 4, 37},
        {"da", 5, 1, 30, 5, 1, 30},     {"da", 6, 1, 1, 5, 31, 31},     {"da", 6, 2, 29, 6, 1, 28},
        {"oz", 1, 1, 9, 1, 1, 9},       {"oz", 2, 1, 2, 1, 10, 11},     {"oz", 2, 3, 25, 2, 1, 23},
        {"oz", 11, 1, 11, 11, 1, 11},   {"oz", 12, 1, 1, 11, 12, 12},   {"oz", 12, 2, 15, 12, 1, 14},
        {"oz", 13, 1, 15, 13, 1, 15},   {"oz", 14, 1, 1, 13, 16, 16},   {"oz", 14, 2, 10, 14, 1, 9},
        {"jl", 2, 1, 27, 2, 1, 27},     {"jl", 3, 1, 5, 2, 28, 32},     {"jl", 4, 1, 21, 3, 1, 21},
        {"jon", 1, 1, 16, 1, 1, 16},    {"jon", 2, 1, 1, 1, 17, 17},    {"jon", 2, 2, 11, 2, 1, 10},
        {"mi", 4, 1, 13, 4, 1, 13},     {"mi", 4, 14, 14, 5, 1, 1},     {"mi", 5, 1, 14, 5, 2, 15},
        {"na", 1, 1, 14, 1, 1, 14},     {"na", 2, 1, 1, 1, 15, 15},     {"na", 2, 2, 14, 2, 1, 13},
        {"za", 1, 1, 17, 1, 1, 17},     {"za", 2, 1, 4, 1, 18, 21},     {"za", 2, 5, 17, 2, 1, 13},
        {"mal", 3, 1, 18, 3, 1, 18},    {"mal", 3, 19, 24, 4, 1, 6},
        {"sk", 19, 1, 39, 19, 1, 39},   {"sk", 19, 40, 40, 19, 40, 41},
        {"2k", 13, 1, 11, 13, 1, 11},   {"2k", 13, 12, 12, 13, 12, 13}, {"2k", 13, 13, 13, 13, 14, 14},
        {"3j", 1, 1, 14, 1, 1, 14},     {"3j", 1, 15, 15, 1, 14, 14},
        {"zj", 12, 1, 17, 12, 1, 17},   {"zj", 12, 18, 18, 13, 1, 1},   {"zj", 13, 1, 18, 13, 1, 18},
        // clang-format on
    };
    for (const auto &[psalm, shift] : kPsalmTitles) {
        rows.append({"zl", psalm, 1, 1 + shift, psalm, 1, 1});
        if (psalm == 13) { // its last verse holds our last two
            rows.append({"zl", 13, 3, 5, 13, 2, 4});
            rows.append({"zl", 13, 6, 6, 13, 5, 6});
        } else {
            rows.append({"zl", psalm, 2 + shift, 999, psalm, 2, 999});
        }
    }
    return rows;
}

// The rows of one ecumenical chapter.
QList<const Renumbering *> rowsOf(const QString &book, int chapter) {
    static const QHash<QString, QList<const Renumbering *>> index = [] {
        QHash<QString, QList<const Renumbering *>> out;
        for (const Renumbering &row : renumbering())
            out[QLatin1String(row.book) + QLatin1Char(' ') + QString::number(row.chapter)].append(&row);
        return out;
    }();
    return index.value(book + QLatin1Char(' ') + QString::number(chapter));
}

// A row's last verses, with 999 resolved to the chapter's end.
std::pair<int, int> lastOf(const Renumbering &row, const Books &books) {
    if (row.last != 999)
        return {row.last, row.ourLast};
    const int ourLast = books.verseCount(QLatin1String(row.book), row.ourChapter);
    return {row.first + (ourLast - row.ourFirst), ourLast};
}

} // namespace

const QList<Renumbering> &renumbering() {
    static const QList<Renumbering> rows = table();
    return rows;
}

int ecumenicalChapterEnd(const QString &book, int chapter, const Books &books) {
    const QList<const Renumbering *> rows = rowsOf(book, chapter);
    if (rows.isEmpty())
        return books.verseCount(book, chapter);
    int end = 0;
    for (const Renumbering *row : rows)
        end = std::max(end, lastOf(*row, books).first);
    return end;
}

std::optional<std::pair<int, int>> toOurs(const QString &book, int chapter, int verse, bool end,
                                          const Books &books) {
    const QList<const Renumbering *> rows = rowsOf(book, chapter);
    if (rows.isEmpty()) {
        if (verse < 1 || verse > books.verseCount(book, chapter))
            return std::nullopt;
        return std::pair{chapter, verse};
    }
    for (const Renumbering *row : rows) {
        const auto [last, ourLast] = lastOf(*row, books);
        if (verse < row->first || verse > last)
            continue;
        const int theirs = last - row->first, ours = ourLast - row->ourFirst;
        int v;
        if (theirs == ours)
            v = row->ourFirst + (verse - row->first);
        else if (theirs == 0)
            v = end ? ourLast : row->ourFirst; // one of theirs holds several of ours
        else
            v = row->ourFirst; // several of theirs in one of ours
        if (v < 1 || v > books.verseCount(book, row->ourChapter))
            return std::nullopt;
        return std::pair{row->ourChapter, v};
    }
    return std::nullopt;
}

} // namespace references
