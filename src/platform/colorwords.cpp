#include "platform/colorwords.h"

#include "platform/colorvalue.h"

#include <QColor>

#include <array>
#include <limits>

namespace colorwords {

namespace {

struct Named {
    QRgb rgb;
    const char16_t *words;
};

// The sixteen basic colours.
constexpr std::array<Named, 16> Basic{{
    {0x000000, u"černá"},
    {0x800000, u"tmavě červená"},
    {0x008000, u"tmavě zelená"},
    {0x808000, u"olivová"},
    {0x000080, u"tmavě modrá"},
    {0x800080, u"fialová"},
    {0x008080, u"modrozelená"},
    {0x808080, u"šedá"},
    {0xC0C0C0, u"stříbrná"},
    {0xFF0000, u"červená"},
    {0x00FF00, u"zelená"},
    {0xFFFF00, u"žlutá"},
    {0x0000FF, u"modrá"},
    {0xFF00FF, u"purpurová"},
    {0x00FFFF, u"azurová"},
    {0xFFFFFF, u"bílá"},
}};

QString systemColorWords(int index) {
    switch (index) {
    case 5:
        return QStringLiteral("barva okna");
    case 8:
        return QStringLiteral("barva textu okna");
    case 15:
        return QStringLiteral("barva tlačítek");
    case 17:
        return QStringLiteral("barva nedostupného textu");
    case 23:
        return QStringLiteral("barva textu nápovědy");
    case 24:
        return QStringLiteral("barva podkladu nápovědy");
    default:
        return QStringLiteral("systémová barva");
    }
}

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

QString describe(int colorValue) {
    if (colorvalue::isSystemColor(colorValue))
        return systemColorWords(colorValue & 0xFF);
    const QRgb rgb = colorvalue::toQColor(colorValue).rgb() & 0xFFFFFF;
    const Named *nearest = &Basic.front();
    int best = std::numeric_limits<int>::max();
    for (const Named &n : Basic) {
        const int d = distance(rgb, n.rgb);
        if (d < best) {
            best = d;
            nearest = &n;
        }
    }
    const QString words = QString::fromUtf16(nearest->words);
    if (best == 0)
        return words;
    return QStringLiteral("přibližně %1 (červená %2, zelená %3, modrá %4)")
        .arg(words)
        .arg(qRed(rgb))
        .arg(qGreen(rgb))
        .arg(qBlue(rgb));
}

} // namespace colorwords
