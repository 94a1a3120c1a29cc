#include <gtest/gtest.h>

#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "exercises/OvningFlagga.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningMulti.h"
#include "exercises/OvningOrt.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::CatalogueRecord;
using landora::test::CrpWriter;
using landora::test::TempDir;

namespace {

struct Loaded {
    TempDir dir;
    COvningar catalogue;
};

void Load(Loaded &l, const std::vector<CatalogueRecord> &records, const std::string &extra = {})
{
    CrpWriter out;
    for (const CatalogueRecord &record : records)
        record.WriteTo(out);
    out.Raw(extra);
    l.dir.Write("Ovning.crp", out.Bytes());
    l.catalogue.LoadCatalogue(l.dir.File("Ovning.crp"));
}

} // namespace

TEST(Catalogue, OneRecordHoldsEveryField)
{
    CatalogueRecord r;
    r.kind = "ORT";
    r.titles = {"Huvudst\xE4" "der", "Capitals", "Capitales", "", "", "", "", "", "Capitais"};
    r.number = 190;
    r.level = 3;
    r.lineWidth = 2;
    r.need1 = true;
    r.mapNumber = 5;
    r.placeFileNumber = 12;
    r.continent = "ASI";
    r.background = 0x00FFFF;
    r.area = 0x800000;
    r.sea = 1;
    r.north = 60.12345;
    r.south = -10.5;
    r.centre = -75.0001;
    r.keys = {"SWE", "NOR"};
    Loaded l;
    Load(l, {r});

    COvning *e = l.catalogue.First();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Next, nullptr);
    EXPECT_NE(dynamic_cast<COvningOrt *>(e), nullptr);
    EXPECT_EQ(e->Kind, "ORT");
    EXPECT_EQ(e->Title(1), "Huvudst\xE4" "der");
    EXPECT_EQ(e->Title(4), "");
    EXPECT_EQ(e->Title(9), "Capitais");
    EXPECT_EQ(e->Number, 190);
    EXPECT_EQ(e->Level, 3);
    EXPECT_EQ(e->LineWidth, 2);
    EXPECT_TRUE(e->NeedCategory1);
    EXPECT_FALSE(e->NeedCategory2);
    EXPECT_EQ(e->MapNumber, 5);
    EXPECT_EQ(e->PlaceFileNumber, 12);
    EXPECT_EQ(e->Continent, "ASI");
    EXPECT_EQ(e->BackgroundColour, 0x00FFFFu);
    EXPECT_EQ(e->AreaColour, 0x800000u);
    EXPECT_EQ(e->SeaColour, 1u);
    // Fractions of a degree survive: values are never cut to whole degrees.
    EXPECT_DOUBLE_EQ(e->NorthLatitude, 60.1235);
    EXPECT_DOUBLE_EQ(e->SouthLatitude, -10.5);
    EXPECT_DOUBLE_EQ(e->CentreLongitude, -75.0001);
    EXPECT_EQ(e->KeyCount, 2);
    EXPECT_EQ(e->Keys[2], "NOR");
}

TEST(Catalogue, KindWordsChooseTheEntryClassCaseSensitively)
{
    std::vector<CatalogueRecord> records(6);
    const char *kinds[] = {"AREA", "ORT", "FLAGG", "MULTI", "Area", "QUIZ"};
    for (int i = 0; i < 6; ++i) {
        records[static_cast<std::size_t>(i)].kind = kinds[i];
        records[static_cast<std::size_t>(i)].number = i + 1;
    }
    Loaded l;
    Load(l, records);
    std::vector<COvning *> entries;
    for (COvning *e = l.catalogue.First(); e != nullptr; e = e->Next)
        entries.push_back(e);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_NE(dynamic_cast<COvningLandArea *>(entries[0]), nullptr);
    EXPECT_NE(dynamic_cast<COvningOrt *>(entries[1]), nullptr);
    EXPECT_NE(dynamic_cast<COvningFlagga *>(entries[2]), nullptr);
    EXPECT_NE(dynamic_cast<COvningMulti *>(entries[3]), nullptr);
    EXPECT_NE(dynamic_cast<COvningMulti *>(entries[4]), nullptr) << "\"Area\" is not \"AREA\"";
    EXPECT_NE(dynamic_cast<COvningMulti *>(entries[5]), nullptr);
    EXPECT_EQ(entries[4]->Kind, "Area");
}

TEST(Catalogue, KeyCountsFromNoneToTheCapacity)
{
    CatalogueRecord none;
    none.keyCount = 0;
    CatalogueRecord second;
    second.number = 2;
    CatalogueRecord full;
    full.number = 3;
    for (int i = 1; i <= 190; ++i)
        full.keys.push_back("K" + std::to_string(i));
    Loaded l;
    Load(l, {none, second, full});
    COvning *first = l.catalogue.First();
    EXPECT_EQ(first->KeyCount, 0);
    EXPECT_EQ(first->Next->Number, 2) << "a record without keys is followed directly by the next kind word";
    EXPECT_EQ(first->Next->Next->KeyCount, 190);
    EXPECT_EQ(first->Next->Next->Keys[190], "K190");

    CatalogueRecord tooMany = full;
    tooMany.keys.push_back("K191");
    Loaded bad;
    EXPECT_THROW(Load(bad, {none, tooMany}), ERangeError);
    EXPECT_EQ(bad.catalogue.First(), nullptr) << "no catalogue is built from a failed load";

    // A count that reads as negative in a signed 16-bit view is out of range.
    CatalogueRecord negative;
    negative.keyCount = 0x8000;
    Loaded neg;
    EXPECT_THROW(Load(neg, {negative}), ERangeError);
}

TEST(Catalogue, FindByNameTakesTheFirstOfEqualTitlesInTheLanguage)
{
    CatalogueRecord a, b, c;
    a.number = 1;
    a.titles = {"", "Same"};
    b.number = 2;
    b.titles = {"X", "Same"};
    c.number = 3;
    c.titles = {"Same", "Other"};
    Loaded l;
    Load(l, {a, b, c});
    EXPECT_EQ(l.catalogue.FindByName("Same", 2)->Number, 1);
    EXPECT_EQ(l.catalogue.FindByName("Same", 1)->Number, 3);
    EXPECT_EQ(l.catalogue.FindByName("Missing", 2), nullptr);
    EXPECT_EQ(l.catalogue.FindByName("same", 2), nullptr);
    EXPECT_THROW(l.catalogue.FindByName("Same", 10), ERangeError);
}

TEST(Catalogue, DamagedFilesFailWithTheReadersErrors)
{
    Loaded empty;
    EXPECT_THROW(Load(empty, {}), EInOutError);

    CrpWriter whole;
    CatalogueRecord r;
    r.keys = {"SWE", "NOR"};
    r.WriteTo(whole);
    for (std::size_t cut : {whole.Size() - 1, std::size_t{3}, std::size_t{40}}) {
        TempDir dir;
        dir.Write("Ovning.crp", whole.Bytes().substr(0, cut));
        COvningar catalogue;
        EXPECT_THROW(catalogue.LoadCatalogue(dir.File("Ovning.crp")), EInOutError) << "cut at " << cut;
    }
    // A kind word with nothing after it is a record cut short too.
    Loaded trailing;
    CrpWriter word;
    word.Text("ORT");
    EXPECT_THROW(Load(trailing, {r}, word.Bytes()), EInOutError);

    COvningar missing;
    EXPECT_THROW(missing.LoadCatalogue("no-such-Ovning.crp"), EFileNotFound);
}

TEST(Catalogue, ReloadReplacesTheOldList)
{
    CatalogueRecord a;
    a.number = 7;
    Loaded l;
    Load(l, {a, a, a});
    EXPECT_EQ(l.catalogue.Count(), 3);
    Load(l, {a});
    EXPECT_EQ(l.catalogue.Count(), 1);
    EXPECT_EQ(l.catalogue.First()->Next, nullptr);
}
