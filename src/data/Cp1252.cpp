#include "data/Cp1252.h"

#include <array>

namespace landora {
namespace {

// 0x80..0x9F: the printable characters Windows-1252 puts where Latin-1 has
// control codes; the five unassigned bytes map to themselves, as Windows does.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Decode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControls[byte - 0x80];
    return byte;
}

} // namespace

QString FromCp1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text.append(QChar(Decode(static_cast<unsigned char>(c))));
    return text;
}

std::string ToCp1252(const QString &text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes.push_back(static_cast<char>(code));
            continue;
        }
        char found = '?';
        for (std::size_t i = 0; i < HighControls.size(); ++i) {
            if (HighControls[i] == code) {
                found = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.push_back(found);
    }
    return bytes;
}

} // namespace landora
