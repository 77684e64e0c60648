#include "platform/rtfcodepage.h"

#include "platform/cp1250.h"
#include "platform/systemcodepage.h"

#include <QStringDecoder>

#include <array>

namespace rtf::detail {

namespace {

// Code page 1252 differs from Latin-1 only in 0x80..0x9F; its five undefined bytes map to the C1
// control of the same number, as the program's 1250 table does.
constexpr std::array<char16_t, 32> k1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar from1252(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? QChar(k1252[b - 0x80u]) : QChar(char16_t(b));
}

QString decode1252(QByteArrayView bytes) {
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = from1252(static_cast<unsigned char>(bytes[i]));
    return out;
}

} // namespace

int codePageForCharset(int charset) {
    switch (charset) {
    case 2:
        return kSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

QChar symbolToUnicode(int codePage, unsigned char byte) {
    if (codePage == kWingdingsCodePage) {
        switch (byte) {
        case 0x6C:
            return QChar(0x25CF); // black circle
        case 0x6E:
            return QChar(0x25A0); // black square
        case 0x71:
            return QChar(0x2751); // shadowed white square
        case 0x76:
            return QChar(0x2756); // black diamond minus white x
        case 0x9F:
            return QChar(0x2022);
        case 0xA7:
            return QChar(0x25AA); // small black square
        case 0xA8:
            return QChar(0x25FB); // white medium square
        case 0xD8:
            return QChar(0x27A2); // arrowhead
        case 0xFC:
            return QChar(0x2713); // check mark
        default:
            break;
        }
    } else {
        switch (byte) {
        case 0xB7:
            return QChar(0x2022); // bullet
        case 0xA8:
            return QChar(0x2666); // diamond
        case 0xAE:
            return QChar(0x2192); // arrow
        default:
            break;
        }
    }
    return from1252(byte);
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QStringDecoder *CodePageDecoder::converterFor(int codePage) {
    auto found = m_converters.find(codePage);
    if (found != m_converters.end())
        return found->second.get();
    std::unique_ptr<QStringDecoder> converter;
    if (codePage == 65001) {
        converter = std::make_unique<QStringDecoder>(QStringConverter::Utf8);
    } else if (codePage > 0) {
        const QByteArray number = QByteArray::number(codePage);
        const QByteArray names[] = {codePage == 10000 ? QByteArray("macintosh") : "windows-" + number,
                                    "cp" + number, "IBM" + number};
        for (const QByteArray &name : names) {
            auto candidate = std::make_unique<QStringDecoder>(name.constData());
            if (candidate->isValid()) {
                converter = std::move(candidate);
                break;
            }
        }
    }
    return m_converters.emplace(codePage, std::move(converter)).first->second.get();
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes) {
    if (codePage == 1252)
        return decode1252(bytes);
    if (codePage == kSymbolCodePage || codePage == kWingdingsCodePage) {
        QString out;
        out.resize(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = symbolToUnicode(codePage, static_cast<unsigned char>(bytes[i]));
        return out;
    }
    if (codePage != 1250) {
        if (QStringDecoder *converter = converterFor(codePage))
            return converter->decode(bytes);
#ifdef Q_OS_WIN
        QString text;
        if (systemcodepage::decode(codePage, bytes, &text))
            return text;
#endif
    }
    return cp1250::toUnicode(bytes);
}

} // namespace rtf::detail
