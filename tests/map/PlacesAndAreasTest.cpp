// Loading the place and area files, selecting places, marking areas and the
// polygon test.
#include <gtest/gtest.h>

#include "data/Errors.h"
#include "map/MapFixtures.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

using namespace landora;
using namespace landora::test;

namespace {

std::string WritePlaces(TempDir &dir, const std::vector<PlaceRecord> &records, const std::string &extra = {})
{
    CrpWriter out;
    for (const PlaceRecord &r : records)
        r.WriteTo(out);
    out.Raw(extra);
    dir.Write("Ort1.crp", out.Bytes());
    return dir.File("Ort1.crp");
}

std::string WriteAreas(TempDir &dir, const std::vector<AreaRecord> &records, const std::string &extra = {})
{
    CrpWriter out;
    for (const AreaRecord &r : records)
        r.WriteTo(out);
    out.Raw(extra);
    dir.Write("AREA1.crp", out.Bytes());
    return dir.File("AREA1.crp");
}

PlaceRecord Place(const std::string &key, int level, const std::string &group, bool c1 = false, bool c2 = false)
{
    PlaceRecord r;
    r.key = key;
    r.names = {key};
    r.level = level;
    r.group1 = group;
    r.category1 = c1;
    r.category2 = c2;
    return r;
}

int SelectedKeys(const COrter &list, std::string *keys = nullptr)
{
    int n = 0;
    for (const COrt *p = list.First; p != nullptr; p = p->Next)
        if (p->Selected) {
            ++n;
            if (keys != nullptr)
                *keys += p->Key;
        }
    return n;
}

} // namespace

TEST(Places, LoadKeepsFileOrderAndEveryField)
{
    TempDir dir;
    PlaceRecord a;
    a.key = "STO";
    a.names = {"Stockholm", "", "", "Stockholm-de", "", "", "", "Stockholm-nl", ""};
    a.level = 3;
    a.category1 = true;
    a.group1 = "SE";
    a.group2 = "EU";
    a.group3 = "CAP";
    a.latitude = 59.3293;
    a.longitude = 18.0686;
    PlaceRecord b = Place("OSL", 1, "NO");
    b.latitude = -33.5;
    b.longitude = -70.25;
    COrter list;
    list.LoadFromFile(WritePlaces(dir, {a, b}));
    ASSERT_NE(list.First, nullptr);
    const COrt &p = *list.First;
    EXPECT_EQ(p.Key, "STO");
    EXPECT_EQ(p.Level, 3);
    EXPECT_TRUE(p.Category1);
    EXPECT_FALSE(p.Category2);
    EXPECT_EQ(p.Group1, "SE");
    EXPECT_EQ(p.Group2, "EU");
    EXPECT_EQ(p.Group3, "CAP");
    EXPECT_DOUBLE_EQ(p.Latitude, 59.3293);
    EXPECT_DOUBLE_EQ(p.Longitude, 18.0686);
    // Empty names 2 to 6 show name 1; 7 to 9 stay as stored.
    EXPECT_EQ(p.Names[2], "Stockholm");
    EXPECT_EQ(p.Names[4], "Stockholm-de");
    EXPECT_EQ(p.Names[6], "Stockholm");
    EXPECT_EQ(p.Names[7], "");
    EXPECT_EQ(p.Names[8], "Stockholm-nl");
    EXPECT_EQ(p.Names[9], "");
    EXPECT_FALSE(p.Selected);
    ASSERT_NE(p.Next, nullptr);
    EXPECT_EQ(p.Next->Key, "OSL");
    EXPECT_DOUBLE_EQ(p.Next->Latitude, -33.5);
    EXPECT_EQ(p.Next->Next, nullptr);
}

TEST(Places, EmptyFileGivesAnEmptyListThatNothingSelects)
{
    TempDir dir;
    COrter list;
    list.LoadFromFile(WritePlaces(dir, {}));
    EXPECT_EQ(list.First, nullptr);
    list.Select("", 100, false, false);
    EXPECT_EQ(list.SelectedCount, 0);
    EXPECT_EQ(list.RemainingCount, 0);
}

TEST(Places, BrokenFilesFail)
{
    TempDir dir;
    COrter list;
    CrpWriter cut;
    Place("A", 1, "G").WriteTo(cut);
    dir.Write("cut.crp", cut.Bytes().substr(0, cut.Size() - 3));
    EXPECT_THROW(list.LoadFromFile(dir.File("cut.crp")), EInOutError);
    PlaceRecord high = Place("A", 0x8000, "G");
    EXPECT_THROW(list.LoadFromFile(WritePlaces(dir, {high})), ERangeError);
    EXPECT_THROW(list.LoadFromFile(dir.File("Ort99.crp")), EFileNotFound);
}

TEST(Places, SelectionByGroupLevelAndCategory)
{
    TempDir dir;
    PlaceRecord ownKeyOnly = Place("SE", 1, "X");
    PlaceRecord second = Place("B", 1, "Y");
    second.group3 = "SE";
    COrter list;
    list.LoadFromFile(WritePlaces(dir, {Place("A", 3, "SE"), Place("C", 2, "SE", true, false),
                                        Place("D", 1, "SE", false, true), ownKeyOnly, second,
                                        Place("E", 1, "se")}));
    std::string keys;
    list.Select("SE", 2, false, false);
    EXPECT_EQ(SelectedKeys(list, &keys), 3); // A is above level 2; own key and "se" never match
    EXPECT_EQ(keys, "CDB");
    EXPECT_EQ(list.SelectedCount, 3);
    EXPECT_EQ(list.RemainingCount, 3);

    list.ClearMarks();
    EXPECT_EQ(SelectedKeys(list), 0);
    EXPECT_EQ(list.RemainingCount, 0);
    EXPECT_EQ(list.SelectedCount, 3); // kept until the next selection
    list.Select("SE", 3, true, false);
    keys.clear();
    EXPECT_EQ(SelectedKeys(list, &keys), 1);
    EXPECT_EQ(keys, "C");

    list.ClearMarks();
    list.Select("SE", 3, false, true);
    keys.clear();
    SelectedKeys(list, &keys);
    EXPECT_EQ(keys, "D");
}

TEST(Places, ASecondKeyCountsAPlaceOnceButClearsItsAnswer)
{
    TempDir dir;
    PlaceRecord both = Place("A", 1, "K1");
    both.group2 = "K2";
    COrter list;
    list.LoadFromFile(WritePlaces(dir, {both, Place("B", 1, "K2")}));
    list.Select("K1", 5, false, false);
    list.First->Answered = true;
    list.Select("K2", 5, false, false);
    EXPECT_EQ(list.RemainingCount, 2);
    EXPECT_EQ(list.SelectedCount, 2);
    EXPECT_FALSE(list.First->Answered);
}

TEST(Areas, LoadReadsEveryFieldAndDefaultsNames)
{
    TempDir dir;
    AreaRecord a;
    a.key = "SE";
    a.group1 = "EU";
    a.group2 = "NORDIC";
    a.names = {"Sverige", "Sweden", "", "", "Schweden-x", "", "", "Zweden", ""};
    a.flagFile = "se.gif";
    a.boundsFromPoints = false;
    a.north = 69.06;
    a.south = 55.34;
    a.east = 24.17;
    a.west = 10.96;
    a.fill1Lat = 62.5;
    a.fill1Lon = 15.25;
    a.fill2Lat = 57.1;
    a.fill2Lon = 18.5;
    a.points = {{55.34, 13.0}, {69.06, 20.0}, {65.0, 24.17}};
    AreaRecord lake;
    lake.key = "L";
    lake.names = {"Sj\xF6"};
    // Bit 0 of the reserved value marks a disc drawn only where asked; the
    // other bits mean nothing.
    AreaRecord disc;
    disc.key = "MT";
    disc.reserved = 3;
    AreaRecord other;
    other.key = "X";
    other.reserved = 2;
    CAreor list;
    list.LoadFromFile(WriteAreas(dir, {a, lake, disc, other}));
    ASSERT_EQ(list.Count, 4);
    EXPECT_FALSE(list.Items[1]->Marker);
    EXPECT_TRUE(list.Items[3]->Marker);
    EXPECT_FALSE(list.Items[4]->Marker);
    const CArea &s = *list.Items[1];
    EXPECT_EQ(s.Key, "SE");
    EXPECT_EQ(s.Group1, "EU");
    EXPECT_EQ(s.Group2, "NORDIC");
    EXPECT_EQ(s.FlagFile, "se.gif");
    EXPECT_EQ(s.Names[2], "Sweden");
    EXPECT_EQ(s.Names[3], "Sverige");
    EXPECT_EQ(s.Names[5], "Schweden-x");
    EXPECT_EQ(s.Names[6], "Sverige");
    EXPECT_EQ(s.Names[7], "");
    EXPECT_EQ(s.Names[8], "Zweden");
    EXPECT_DOUBLE_EQ(s.North, 69.06);
    EXPECT_DOUBLE_EQ(s.South, 55.34);
    EXPECT_DOUBLE_EQ(s.East, 24.17);
    EXPECT_DOUBLE_EQ(s.West, 10.96); // bounds from the file, not from the points
    EXPECT_FLOAT_EQ(s.FillPoint1.Latitude, 62.5f);
    EXPECT_FLOAT_EQ(s.FillPoint2.Longitude, 18.5f);
    ASSERT_EQ(s.PointCount, 3);
    EXPECT_FLOAT_EQ(s.Points[2].Latitude, 69.06f);
    EXPECT_FLOAT_EQ(s.Points[3].Longitude, 24.17f);
    EXPECT_FALSE(s.Active);
    EXPECT_FALSE(s.Answered);
    EXPECT_EQ(s.AnsweredOnTry, 0);
    EXPECT_EQ(list.Items[2]->PointCount, 0);
    EXPECT_EQ(list.Items[2]->Names[4], "Sj\xF6");
}

TEST(Areas, CapacitiesFailWithTheRangeError)
{
    TempDir dir;
    CAreor list;
    AreaRecord big;
    for (int i = 0; i < 501; ++i)
        big.points.emplace_back(i * 0.01, i * 0.02);
    EXPECT_THROW(list.LoadFromFile(WriteAreas(dir, {big})), ERangeError);

    AreaRecord full;
    for (int i = 0; i < 500; ++i)
        full.points.emplace_back(i * 0.01, i * 0.02);
    list.LoadFromFile(WriteAreas(dir, {full}));
    EXPECT_EQ(list.Items[1]->PointCount, 500);

    AreaRecord small;
    small.points = {{1, 1}};
    EXPECT_NO_THROW(list.LoadFromFile(WriteAreas(dir, std::vector<AreaRecord>(500, small))));
    EXPECT_EQ(list.Count, 500);
    EXPECT_THROW(list.LoadFromFile(WriteAreas(dir, std::vector<AreaRecord>(501, small))), ERangeError);

    // Reloading starts a fresh list.
    list.LoadFromFile(WriteAreas(dir, {small}));
    EXPECT_EQ(list.Count, 1);
}

TEST(Areas, UnitSquareContainment)
{
    CAreor list;
    CArea &square = AddArea(list, "Q", {{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    EXPECT_TRUE(square.ContainsPoint({0.5f, 0.5f}));
    EXPECT_FALSE(square.ContainsPoint({0.5f, 1.5f}));
    EXPECT_FALSE(square.ContainsPoint({1.5f, 0.5f}));
    EXPECT_FALSE(square.ContainsPoint({0.5f, -0.5f}));
    EXPECT_TRUE(square.ContainsPoint({0.0f, 0.5f}));  // southern edge: inside
    EXPECT_FALSE(square.ContainsPoint({1.0f, 0.5f})); // northern edge: outside
    EXPECT_TRUE(square.ContainsPoint({0.5f, 0.0f}));  // western edge: only the eastern crossing lies beyond it
    EXPECT_FALSE(square.ContainsPoint({0.5f, 1.0f})); // eastern edge: the crossing at the point does not count

    CArea &empty = AddArea(list, "E", {});
    EXPECT_FALSE(empty.ContainsPoint({0.0f, 0.0f}));
}

TEST(Areas, EvenOddRuleOnAConcavePolygon)
{
    CAreor list;
    // A "U" opening to the north: the notch is outside.
    CArea &u = AddArea(list, "U", {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {3, 2}, {3, 3}, {0, 3}});
    EXPECT_TRUE(u.ContainsPoint({2.0f, 0.5f}));
    EXPECT_FALSE(u.ContainsPoint({2.0f, 1.5f}));
    EXPECT_TRUE(u.ContainsPoint({2.0f, 2.5f}));
    EXPECT_TRUE(u.ContainsPoint({0.5f, 1.5f}));
}

TEST(Areas, MarkingAndLookup)
{
    CAreor list;
    CArea &a = AddBox(list, "A", 0, 0, 10, 10);
    a.Group1 = "G";
    CArea &b = AddBox(list, "B", 0, 0, 5, 5);
    b.Group2 = "G";
    CArea &noPoints = AddArea(list, "C", {});
    noPoints.Group1 = "G";
    CArea &a2 = AddBox(list, "A", 20, 20, 30, 30);

    list.MarkActive("G");
    EXPECT_TRUE(a.Active);
    EXPECT_TRUE(b.Active);
    EXPECT_FALSE(noPoints.Active); // never active without points
    EXPECT_FALSE(a2.Active);

    // Answered marks reach areas whether active or not.
    list.MarkAnswered("A", 2);
    EXPECT_TRUE(a.Answered);
    EXPECT_TRUE(a2.Answered);
    EXPECT_EQ(a2.AnsweredOnTry, 2);
    EXPECT_FALSE(b.Answered);

    EXPECT_EQ(list.FindByKey("A"), &a2); // the last own-key match
    EXPECT_EQ(list.FindByKey("G"), nullptr); // group keys do not count
    EXPECT_EQ(list.FindByKey("Z"), nullptr);

    EXPECT_TRUE(a.Matches("A"));
    EXPECT_TRUE(a.Matches("G"));
    EXPECT_FALSE(a.Matches("g"));
    EXPECT_TRUE(noPoints.Matches("")); // its empty second group matches an empty key

    list.ClearMarks();
    EXPECT_FALSE(a.Active);
    EXPECT_FALSE(a.Answered);
    EXPECT_FALSE(a2.Answered);
}

TEST(Areas, AreaAtPrefersTheSmallestNorthernBound)
{
    CAreor list;
    CArea &outer = AddBox(list, "OUT", 0, 0, 10, 10);
    CArea &inner = AddBox(list, "IN", 2, 2, 5, 5);
    CArea &twin = AddBox(list, "TWIN", 1, 1, 5, 6);
    outer.Active = true;
    inner.Active = true;
    EXPECT_EQ(list.AreaAt({3.0f, 3.0f}), &inner);
    EXPECT_EQ(list.AreaAt({8.0f, 8.0f}), &outer);
    EXPECT_EQ(list.AreaAt({20.0f, 8.0f}), nullptr);
    twin.Active = true;
    EXPECT_EQ(list.AreaAt({3.0f, 3.0f}), &inner); // equal bounds: the earlier one
    inner.Active = false;
    EXPECT_EQ(list.AreaAt({3.0f, 3.0f}), &twin); // inactive areas never take part
}
