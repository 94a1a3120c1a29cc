#include "map/Ort.h"

#include "data/ByteFile.h"

namespace landora {

namespace {

// Keys are short and mostly of one length: the first byte settles most
// comparisons before the full one.
inline bool SameKey(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && (a.empty() || (a[0] == b[0] && a == b));
}

void ReadPlace(TByteFile &file, COrt &place)
{
    place.Key = file.ReadString();
    for (int language = 1; language <= LanguageCount; ++language)
        place.Names[language] = file.ReadString();
    place.Level = file.ReadInt16();
    // Languages 2 to 6 fall back on the first name; the later languages were
    // added with their own names and stay as stored.
    for (int language = 2; language <= 6; ++language)
        if (place.Names[language].empty())
            place.Names[language] = place.Names[1];
    place.Category1 = file.ReadByte() != 0;
    place.Category2 = file.ReadByte() != 0;
    place.Group1 = file.ReadString();
    place.Group2 = file.ReadString();
    place.Group3 = file.ReadString();
    place.Latitude = file.ReadInt32() / 10000.0;
    place.Longitude = file.ReadInt32() / 10000.0;
    place.Selected = false;
    place.Answered = false;
}

} // namespace

void COrter::LoadFromFile(const std::string &fileName)
{
    TByteFile file(fileName);
    std::vector<std::unique_ptr<COrt>> loaded;
    // An empty file gives an empty list: no blank place that an empty key
    // could select.
    while (!file.AtEnd()) {
        auto place = std::make_unique<COrt>();
        ReadPlace(file, *place);
        if (!loaded.empty())
            loaded.back()->Next = place.get();
        loaded.push_back(std::move(place));
    }
    places_ = std::move(loaded);
    First = places_.empty() ? nullptr : places_.front().get();
    SelectedCount = 0;
    RemainingCount = 0;
}

void COrter::ClearMarks()
{
    for (COrt *place = First; place != nullptr; place = place->Next) {
        place->Selected = false;
        place->Answered = false;
    }
    RemainingCount = 0;
}

void COrter::Select(const std::string &key, int highestLevel, bool need1, bool need2)
{
    for (COrt *place = First; place != nullptr; place = place->Next) {
        if (place->Level > highestLevel)
            continue;
        if (!SameKey(place->Group1, key) && !SameKey(place->Group2, key) && !SameKey(place->Group3, key))
            continue;
        if (need1 && !place->Category1)
            continue;
        if (need2 && !place->Category2)
            continue;
        if (!place->Selected)
            ++RemainingCount;
        place->Selected = true;
        place->Answered = false;
    }
    SelectedCount = RemainingCount;
}

} // namespace landora
