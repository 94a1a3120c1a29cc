#include "exercises/Catalogue.h"

#include "data/ByteFile.h"
#include "exercises/OvningFlagga.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningMulti.h"
#include "exercises/OvningOrt.h"

namespace landora {
namespace {

double ReadDegrees(TByteFile &file)
{
    return static_cast<double>(file.ReadInt32()) / 10000.0;
}

Colour ReadColour(TByteFile &file)
{
    return static_cast<Colour>(file.ReadInt32());
}

void ReadBody(TByteFile &file, COvning &entry)
{
    for (int language = 1; language <= LanguageCount; ++language)
        entry.Titles[language] = file.ReadString();
    entry.Number = file.ReadInt16();
    entry.Level = file.ReadByte();
    entry.LineWidth = file.ReadByte();
    entry.NeedCategory1 = file.ReadByte() != 0;
    entry.NeedCategory2 = file.ReadByte() != 0;
    file.ReadByte(); // reserved
    entry.MapNumber = file.ReadInt16();
    entry.PlaceFileNumber = file.ReadInt16();
    entry.Continent = file.ReadString();
    entry.BackgroundColour = ReadColour(file);
    entry.AreaColour = ReadColour(file);
    entry.SeaColour = ReadColour(file);
    entry.NorthLatitude = ReadDegrees(file);
    entry.SouthLatitude = ReadDegrees(file);
    entry.CentreLongitude = ReadDegrees(file);
    // The count is read as a non-negative int16, so "n <= 0" means no keys.
    const int n = file.ReadInt16();
    entry.KeyCount = 0;
    for (int i = 1; i <= n; ++i) {
        entry.Keys[i] = file.ReadString(); // the 191st key fails with the range error
        entry.KeyCount = i;
    }
}

} // namespace

std::unique_ptr<COvning> COvningar::CreateEntry(const std::string &kind)
{
    std::unique_ptr<COvning> entry;
    if (kind == "AREA")
        entry = std::make_unique<COvningLandArea>();
    else if (kind == "ORT")
        entry = std::make_unique<COvningOrt>();
    else if (kind == "FLAGG")
        entry = std::make_unique<COvningFlagga>();
    else
        entry = std::make_unique<COvningMulti>();
    entry->Kind = kind;
    return entry;
}

void COvningar::LoadCatalogue(const std::string &fileName)
{
    std::vector<std::unique_ptr<COvning>> loaded;
    TByteFile file(fileName);
    // An empty file fails here: the first kind word cannot be read.
    loaded.push_back(CreateEntry(file.ReadString()));
    // A kind word is always followed by its body: a file that ends right after
    // one is cut short and fails like any other short record, rather than
    // adding an entry without a number or title.
    for (;;) {
        COvning &current = *loaded.back();
        ReadBody(file, current);
        if (file.AtEnd())
            break;
        loaded.push_back(CreateEntry(file.ReadString()));
        current.Next = loaded.back().get();
    }
    entries_ = std::move(loaded);
}

COvning *COvningar::FindByName(const std::string &title, int language) const
{
    for (COvning *entry = First(); entry != nullptr; entry = entry->Next) {
        if (entry->Title(language) == title)
            return entry;
    }
    return nullptr;
}

} // namespace landora
