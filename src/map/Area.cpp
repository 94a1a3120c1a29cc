#include "map/Area.h"

#include "data/ByteFile.h"

namespace landora {

namespace {

// Keys are short and mostly of one length: the first byte settles most
// comparisons before the full one.
inline bool SameKey(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && (a.empty() || (a[0] == b[0] && a == b));
}

float Degrees32(std::int32_t value) { return static_cast<float>(value / 10000.0); }

void ReadArea(TByteFile &file, CArea &area)
{
    area.Key = file.ReadString();
    area.Group1 = file.ReadString();
    area.Group2 = file.ReadString();
    for (int language = 1; language <= LanguageCount; ++language)
        area.Names[language] = file.ReadString();
    area.FlagFile = file.ReadString();
    // Languages 2 to 6 fall back on the first name; 7 to 9 stay as stored.
    for (int language = 2; language <= 6; ++language)
        if (area.Names[language].empty())
            area.Names[language] = area.Names[1];
    // Reserved; bit 0 marks a disc drawn only where an exercise asks it.
    area.Marker = (file.ReadInt16() & 1) != 0;
    area.PointCount = file.ReadInt16();
    area.North = file.ReadInt32() / 10000.0;
    area.South = file.ReadInt32() / 10000.0;
    area.East = file.ReadInt32() / 10000.0;
    area.West = file.ReadInt32() / 10000.0;
    area.FillPoint1.Latitude = Degrees32(file.ReadInt32());
    area.FillPoint1.Longitude = Degrees32(file.ReadInt32());
    area.FillPoint2.Latitude = Degrees32(file.ReadInt32());
    area.FillPoint2.Longitude = Degrees32(file.ReadInt32());
    // A vertex beyond the capacity fails with the range error.
    for (int i = 1; i <= area.PointCount; ++i) {
        GeoPoint &point = area.Points[i];
        point.Latitude = Degrees32(file.ReadInt32());
        point.Longitude = Degrees32(file.ReadInt32());
    }
}

} // namespace

bool CArea::Matches(const std::string &key) const
{
    return SameKey(Key, key) || SameKey(Group1, key) || SameKey(Group2, key);
}

bool CArea::ContainsPoint(GeoPoint point) const
{
    const int n = PointCount;
    if (n <= 0)
        return false;
    const double lat = point.Latitude;
    const double lon = point.Longitude;
    bool inside = false;
    int j = n;
    for (int i = 1; i <= n; ++i) {
        const GeoPoint &a = Points[i];
        const GeoPoint &b = Points[j];
        const double aLat = a.Latitude;
        const double bLat = b.Latitude;
        if ((lat >= aLat && lat < bLat) || (lat >= bLat && lat < aLat)) {
            const double t = static_cast<double>(a.Longitude) +
                             (lat - aLat) * (static_cast<double>(b.Longitude) - a.Longitude) / (bLat - aLat);
            if (t > lon)
                inside = !inside;
        }
        j = i;
    }
    return inside;
}

void CAreor::LoadFromFile(const std::string &fileName)
{
    TByteFile file(fileName);
    for (auto &item : Items)
        item.reset();
    Count = 0;
    int i = 0;
    while (!file.AtEnd()) {
        // The 501st area fails here with the range error.
        Items[i + 1] = std::make_unique<CArea>();
        ReadArea(file, *Items[i + 1]);
        Items[i + 1]->Active = false;
        ++i;
        Count = i;
    }
    Count = i;
}

void CAreor::ClearMarks()
{
    for (int i = 1; i <= Count; ++i) {
        Items[i]->Active = false;
        Items[i]->Answered = false;
    }
}

void CAreor::MarkActive(const std::string &key)
{
    for (int i = 1; i <= Count; ++i) {
        CArea &area = *Items[i];
        if (area.PointCount > 0 && area.Matches(key))
            area.Active = true;
    }
}

void CAreor::MarkAnswered(const std::string &key, int tryNumber)
{
    for (int i = 1; i <= Count; ++i) {
        CArea &area = *Items[i];
        if (area.Matches(key)) {
            area.Answered = true;
            area.AnsweredOnTry = tryNumber;
        }
    }
}

CArea *CAreor::FindByKey(const std::string &key) const
{
    CArea *found = nullptr;
    for (int i = 1; i <= Count; ++i)
        if (Items[i]->Key == key)
            found = Items[i].get();
    return found;
}

CArea *CAreor::AreaAt(GeoPoint point) const
{
    CArea *found = nullptr;
    for (int i = 1; i <= Count; ++i) {
        CArea *area = Items[i].get();
        if (area->Active && area->ContainsPoint(point) && (found == nullptr || found->North > area->North))
            found = area;
    }
    return found;
}

} // namespace landora
