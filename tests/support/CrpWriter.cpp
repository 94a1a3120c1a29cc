#include "support/CrpWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "data/ByteFile.h"

namespace landora::test {

CrpWriter &CrpWriter::Byte(std::uint8_t value)
{
    bytes_.push_back(static_cast<char>(value));
    return *this;
}

CrpWriter &CrpWriter::Int16(std::uint16_t value)
{
    Byte(static_cast<std::uint8_t>(value & 0xFF));
    return Byte(static_cast<std::uint8_t>(value >> 8));
}

CrpWriter &CrpWriter::Int32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        Byte(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
    return *this;
}

CrpWriter &CrpWriter::Text(const std::string &text)
{
    if (text.size() > 255)
        throw std::invalid_argument("a data-file text holds at most 255 bytes");
    Byte(static_cast<std::uint8_t>(text.size()));
    bytes_ += ShiftText(text);
    return *this;
}

CrpWriter &CrpWriter::Degrees(double degrees)
{
    return Int32(static_cast<std::int32_t>(std::lround(degrees * 10000.0)));
}

CrpWriter &CrpWriter::Raw(const std::string &bytes)
{
    bytes_ += bytes;
    return *this;
}

void CatalogueRecord::WriteTo(CrpWriter &out) const
{
    out.Text(kind);
    for (int i = 0; i < 9; ++i)
        out.Text(i < static_cast<int>(titles.size()) ? titles[static_cast<std::size_t>(i)] : std::string());
    out.Int16(static_cast<std::uint16_t>(number)).Byte(static_cast<std::uint8_t>(level));
    out.Byte(static_cast<std::uint8_t>(lineWidth)).Byte(need1 ? 1 : 0).Byte(need2 ? 1 : 0).Byte(0);
    out.Int16(static_cast<std::uint16_t>(mapNumber)).Int16(static_cast<std::uint16_t>(placeFileNumber));
    out.Text(continent);
    out.Int32(static_cast<std::int32_t>(background)).Int32(static_cast<std::int32_t>(area)).Int32(static_cast<std::int32_t>(sea));
    out.Degrees(north).Degrees(south).Degrees(centre);
    out.Int16(static_cast<std::uint16_t>(keyCount < 0 ? static_cast<int>(keys.size()) : keyCount));
    for (const std::string &key : keys)
        out.Text(key);
}

void AreaRecord::WriteTo(CrpWriter &out) const
{
    out.Text(key).Text(group1).Text(group2);
    for (int i = 0; i < 9; ++i)
        out.Text(i < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(i)] : std::string());
    out.Text(flagFile);
    out.Int16(static_cast<std::uint16_t>(reserved));
    out.Int16(static_cast<std::uint16_t>(pointCount < 0 ? static_cast<int>(points.size()) : pointCount));
    double n = north, s = south, e = east, w = west;
    if (boundsFromPoints && !points.empty()) {
        n = e = -1000;
        s = w = 1000;
        for (const auto &[lat, lon] : points) {
            n = std::max(n, lat);
            s = std::min(s, lat);
            e = std::max(e, lon);
            w = std::min(w, lon);
        }
    }
    out.Degrees(n).Degrees(s).Degrees(e).Degrees(w);
    out.Degrees(fill1Lat).Degrees(fill1Lon).Degrees(fill2Lat).Degrees(fill2Lon);
    for (const auto &[lat, lon] : points)
        out.Degrees(lat).Degrees(lon);
}

void PlaceRecord::WriteTo(CrpWriter &out) const
{
    out.Text(key);
    for (int i = 0; i < 9; ++i)
        out.Text(i < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(i)] : std::string());
    out.Int16(static_cast<std::uint16_t>(level)).Byte(category1 ? 1 : 0).Byte(category2 ? 1 : 0);
    out.Text(group1).Text(group2).Text(group3);
    out.Degrees(latitude).Degrees(longitude);
}

void WriteTextRecord(CrpWriter &out, int t, const std::vector<std::string> &texts)
{
    out.Int16(static_cast<std::uint16_t>(t));
    for (int i = 0; i < 9; ++i)
        out.Text(i < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(i)] : std::string());
}

} // namespace landora::test
