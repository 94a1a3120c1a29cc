// The shipped names against a reference written by hand: well-known places,
// countries and divisions as an atlas in each of the nine languages prints
// them in 2026, read through the program's own readers. A short list names
// the deliberate differences and why.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "data/Cp1252.h"
#include "data/Languages.h"
#include "map/Area.h"
#include "map/Ort.h"

using namespace landora;

namespace {

const std::string Dataset = LANDORA_DATASET_DIR;
const std::array<const char *, LanguageCount> LangCodes = {"sv", "en", "fr", "de", "es", "it", "da", "nl", "pt"};

struct Reference {
    const char *file; // "Ort1" or an area file
    const char *key;
    std::array<const char *, LanguageCount> names; // sv en fr de es it da nl pt(Brazil)
};

// clang-format off
const Reference References[] = {
    {"Ort1", "G2618425", {"Köpenhamn", "Copenhagen", "Copenhague", "Kopenhagen", "Copenhague", "Copenaghen", "København", "Kopenhagen", "Copenhague"}},
    {"Ort1", "G2867714", {"München", "Munich", "Munich", "München", "Múnich", "Monaco di Baviera", "München", "München", "Munique"}},
    {"Ort1", "G2761369", {"Wien", "Vienna", "Vienne", "Wien", "Viena", "Vienna", "Wien", "Wenen", "Viena"}},
    {"Ort1", "G756135",  {"Warszawa", "Warsaw", "Varsovie", "Warschau", "Varsovia", "Varsavia", "Warszawa", "Warschau", "Varsóvia"}},
    {"Ort1", "G524901",  {"Moskva", "Moscow", "Moscou", "Moskau", "Moscú", "Mosca", "Moskva", "Moskou", "Moscou"}},
    {"Ort1", "G1816670", {"Peking", "Beijing", "Pékin", "Peking", "Pekín", "Pechino", "Beijing", "Peking", "Pequim"}},
    {"Ort1", "G703448",  {"Kyiv", "Kyiv", "Kyiv", "Kyjiw", "Kiev", "Kiev", "Kyiv", "Kyiv", "Kiev"}},
    {"Ort1", "G2643743", {"London", "London", "Londres", "London", "Londres", "Londra", "London", "Londen", "Londres"}},
    {"Ort1", "G3169070", {"Rom", "Rome", "Rome", "Rom", "Roma", "Roma", "Rom", "Rome", "Roma"}},
    {"Ort1", "G2886242", {"Köln", "Cologne", "Cologne", "Köln", "Colonia", "Colonia", "Köln", "Keulen", "Colônia"}},
    {"Ort1", "G2267057", {"Lissabon", "Lisbon", "Lisbonne", "Lissabon", "Lisboa", "Lisbona", "Lissabon", "Lissabon", "Lisboa"}},
    {"Ort1", "G360630",  {"Kairo", "Cairo", "Le Caire", "Kairo", "El Cairo", "Il Cairo", "Kairo", "Caïro", "Cairo"}},
    {"Ort1", "G3530597", {"Mexico City", "Mexico City", "Mexico", "Mexiko-Stadt", "Ciudad de México", "Città del Messico", "Mexico City", "Mexico-Stad", "Cidade do México"}},
    {"Ort1", "G633679",  {"Åbo", "Turku", "Turku", "Turku", "Turku", "Turku", "Åbo", "Turku", "Turku"}},
    {"Ort1", "G2861650", {"Nürnberg", "Nuremberg", "Nuremberg", "Nürnberg", "Núremberg", "Norimberga", "Nürnberg", "Neurenberg", "Nuremberg"}},
    {"Ort1", "G1273874", {"Kochi", "Kochi", "Kochi", "Kochi", "Kochi", "Kochi", "Kochi", "Kochi", "Kochi"}},
    {"Ort1", "G2792413", {"Liège", "Liège", "Liège", "Lüttich", "Lieja", "Liegi", "Liège", "Luik", "Liège"}},
    {"Ort1", "G1526273", {"Astana", "Astana", "Astana", "Astana", "Astaná", "Astana", "Astana", "Astana", "Astana"}},
    {"Ort1", "G709930",  {"Dnipro", "Dnipro", "Dnipro", "Dnipro", "Dnipró", "Dnipro", "Dnipro", "Dnipro", "Dnipro"}},
    {"Ort1", "G1278994", {"Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj", "Prayagraj"}},
    {"Ort1", "G1264527", {"Chennai", "Chennai", "Chennai", "Chennai", "Chennai", "Chennai", "Chennai", "Chennai", "Chennai"}},
    {"Ort1", "G3421319", {"Nuuk", "Nuuk", "Nuuk", "Nuuk", "Nuuk", "Nuuk", "Nuuk", "Nuuk", "Nuuk"}},
    {"AREA1", "DEU", {"Tyskland", "Germany", "Allemagne", "Deutschland", "Alemania", "Germania", "Tyskland", "Duitsland", "Alemanha"}},
    {"AREA1", "NLD", {"Nederländerna", "Netherlands", "Pays-Bas", "Niederlande", "Países Bajos", "Paesi Bassi", "Nederlandene", "Nederland", "Países Baixos"}},
    {"AREA1", "GBR", {"Storbritannien", "United Kingdom", "Royaume-Uni", "Vereinigtes Königreich", "Reino Unido", "Regno Unito", "Storbritannien", "Verenigd Koninkrijk", "Reino Unido"}},
    {"AREA1", "MKD", {"Nordmakedonien", "North Macedonia", "Macédoine du Nord", "Nordmazedonien", "Macedonia del Norte", "Macedonia del Nord", "Nordmakedonien", "Noord-Macedonië", "Macedônia do Norte"}},
    {"AREA1", "CIV", {"Elfenbenskusten", "Ivory Coast", "Côte d'Ivoire", "Côte d'Ivoire", "Côte d'Ivoire", "Costa d'Avorio", "Elfenbenskysten", "Ivoorkust", "Costa do Marfim"}},
    {"AREA6", "DE-BY", {"Bayern", "Bavaria", "Bavière", "Bayern", "Baviera", "Baviera", "Bayern", "Beieren", "Baviera"}},
    {"AREA6", "ES-CT", {"Katalonien", "Catalonia", "Catalogne", "Katalonien", "Cataluña", "Catalogna", "Catalonien", "Catalonië", "Catalunha"}},
    {"AREA6", "PL-OP", {"Opole", "Opole", "Opole", "Oppeln", "Opole", "Opole", "Opole", "Opole", "Opole"}},
    {"AREA5", "IN-DH", {"Dadra och Nagar Haveli och Daman och Diu", "Dadra and Nagar Haveli and Daman and Diu", "Dadra et Nagar Haveli et Daman et Diu", "Dadra und Nagar Haveli und Daman und Diu", "Dadra y Nagar Haveli y Damán y Diu", "Dadra e Nagar Haveli e Daman e Diu", "Dadra og Nagar Haveli og Daman og Diu", "Dadra en Nagar Haveli en Daman en Diu", "Dadrá e Nagar-Aveli e Damão e Diu"}},
    // Split from Andhra Pradesh in 2014 and from Jammu and Kashmir in 2019.
    {"AREA5", "IN-TG", {"Telangana", "Telangana", "Telangana", "Telangana", "Telangana", "Telangana", "Telangana", "Telangana", "Telangana"}},
    {"AREA5", "IN-LA", {"Ladakh", "Ladakh", "Ladakh", "Ladakh", "Ladakh", "Ladakh", "Ladakh", "Ladakh", "Ladakh"}},
    {"AREA6", "NO-50", {"Tröndelag", "Trøndelag", "Trøndelag", "Trøndelag", "Trøndelag", "Trøndelag", "Trøndelag", "Trøndelag", "Trøndelag"}},
    {"AREA3", "US-CA", {"Kalifornien", "California", "Californie", "Kalifornien", "California", "California", "Californien", "Californië", "Califórnia"}},
};

// Where the data set deliberately differs from the reference: key and
// language code, with the reason.
const std::map<std::pair<std::string, std::string>, const char *> Deliberate = {
    // No source gives a Danish or Brazilian form of Opole's voivodeship: the
    // Polish adjective form stays.
    {{"PL-OP", "da"}, "Opolskie"},
    {{"PL-OP", "pt"}, "Opolskie"},
};
// clang-format on

class Files {
public:
    const FixedArray<std::string, LanguageCount> *Names(const std::string &file, const std::string &key)
    {
        if (file == "Ort1") {
            if (!places_) {
                places_ = std::make_unique<COrter>();
                places_->LoadFromFile(Dataset + "/Ort1.crp");
            }
            for (COrt *p = places_->First; p; p = p->Next)
                if (p->Key == key)
                    return &p->Names;
            return nullptr;
        }
        auto &slot = areas_[file];
        if (!slot) {
            slot = std::make_unique<CAreor>();
            slot->LoadFromFile(Dataset + "/" + file + ".crp");
        }
        for (int i = 1; i <= slot->Count; ++i)
            if (slot->Items[i]->Key == key)
                return &slot->Items[i]->Names;
        return nullptr;
    }

private:
    std::unique_ptr<COrter> places_;
    std::map<std::string, std::unique_ptr<CAreor>> areas_;
};

} // namespace

TEST(AtlasNames, WellKnownItemsCarryTheirAtlasNameInEveryLanguage)
{
    Files files;
    std::set<std::pair<std::string, std::string>> used;
    for (const Reference &r : References) {
        const auto *names = files.Names(r.file, r.key);
        ASSERT_NE(names, nullptr) << r.key << " is missing from " << r.file;
        for (int l = 1; l <= LanguageCount; ++l) {
            const std::pair<std::string, std::string> item{r.key, LangCodes[l - 1]};
            const auto d = Deliberate.find(item);
            const char *expected = d != Deliberate.end() ? d->second : r.names[l - 1];
            if (d != Deliberate.end())
                used.insert(item);
            EXPECT_EQ(FromCp1252((*names)[l]).toStdString(), expected)
                << r.key << " (" << r.names[1] << ") in " << LangCodes[l - 1];
        }
    }
    // A difference that no longer occurs is taken off the list.
    for (const auto &[item, name] : Deliberate)
        EXPECT_TRUE(used.count(item)) << item.first << " " << item.second << " is listed but not in the reference";
}

// A division's name is no ISO list entry: not inverted ("Madrid, Communauté
// de"), bracketed ("Svalbard (région arctique)") or two names in one.
TEST(AtlasNames, DivisionNamesAreNamesNotListEntries)
{
    for (int map = 1; map <= 6; ++map) {
        CAreor areas;
        areas.LoadFromFile(Dataset + "/AREA" + std::to_string(map) + ".crp");
        for (int i = 1; i <= areas.Count; ++i) {
            const CArea &a = *areas.Items[i];
            for (int l = 1; l <= LanguageCount; ++l)
                EXPECT_EQ(a.Names[l].find_first_of(",();"), std::string::npos)
                    << "map " << map << " " << a.Key << " in " << LangCodes[l - 1] << ": "
                    << FromCp1252(a.Names[l]).toStdString();
        }
    }
}

// Names that only Portugal writes: the program's Portuguese is Brazil's.
TEST(AtlasNames, PortugueseIsBrazilian)
{
    const std::set<std::string> european = {"Moscovo", "Copenhaga", "Teerão", "Amesterdão", "Estugarda", "Camberra"};
    COrter places;
    places.LoadFromFile(Dataset + "/Ort1.crp");
    for (COrt *p = places.First; p; p = p->Next)
        EXPECT_FALSE(european.count(FromCp1252(p->Names[LanguageCount]).toStdString()))
            << p->Key << " is named " << FromCp1252(p->Names[LanguageCount]).toStdString() << " in Portuguese";
}
