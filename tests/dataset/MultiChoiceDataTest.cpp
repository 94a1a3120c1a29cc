// Every question of every multiple-choice exercise of the shipped catalogue,
// played once through the exercise: the country a place is asked with must be
// the place's own, by its position on the exercise's map.
#include "data/ProgramState.h"
#include "data/Services.h"
#include "exercises/Catalogue.h"
#include "exercises/MapSetup.h"
#include "exercises/OvningMulti.h"
#include "exercises/Ovningsformular.h"
#include "map/Area.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "platform/Random.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace landora;

namespace {

const std::string Dataset = LANDORA_DATASET_DIR;
// Coasts are drawn coarser than towns are placed: a port may fall this far
// into the sea.
constexpr double CoastKilometres = 15.0;
// Any place that lies outside the outline of the country it is asked with
// fails, naming the exercise, the place and the country: the atlas keeps the
// islands that carry places, pins coastal places to their coast and gives a
// multiple-choice exercise a map that draws every place it asks.

class Board : public IOvningsformular, public IMultiformular {
public:
    struct Box : IAnswerImage { };
    Box boxes[4];
    void VisaFraga(const std::string &) override { }
    void VisaProcent(int) override { }
    IAnswerImage *AnswerImage(int index) override { return index >= 1 && index <= 4 ? &boxes[index - 1] : nullptr; }
    void PaintAnswer(IAnswerImage *, Colour, const std::string &) override { }
    bool StillPlaying() const override { return true; }
};

// The pause's tick arrives at once.
class TickingPump : public IEventPump {
public:
    COvning *exercise = nullptr;
    void ProcessEvents() override
    {
        if (exercise != nullptr)
            exercise->BlinkTick();
    }
};

// Kilometres from the point to the segment a-b, on a local flat projection.
double SegmentKilometres(double lat, double lon, GeoPoint a, GeoPoint b)
{
    const double kx = 111.32 * std::cos(lat * M_PI / 180.0);
    const double ky = 110.57;
    const double ax = (a.Longitude - lon) * kx, ay = (a.Latitude - lat) * ky;
    const double bx = (b.Longitude - lon) * kx, by = (b.Latitude - lat) * ky;
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? -(ax * dx + ay * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(ax + t * dx, ay + t * dy);
}

// True when the place lies in one of the polygons of the key, or near its outline.
bool LiesIn(const CAreor &areas, const std::string &key, const COrt &place)
{
    const GeoPoint point { static_cast<float>(place.Latitude), static_cast<float>(place.Longitude) };
    for (int i = 1; i <= areas.Count; ++i) {
        const CArea &area = *areas.Items[i];
        if (!area.Matches(key) || area.PointCount == 0)
            continue;
        if (area.ContainsPoint(point))
            return true;
        for (int j = 1; j <= area.PointCount; ++j) {
            const GeoPoint b = area.Points[j == area.PointCount ? 1 : j + 1];
            if (SegmentKilometres(place.Latitude, place.Longitude, area.Points[j], b) <= CoastKilometres)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(MultiChoiceData, EveryPlaceIsAskedWithItsOwnCountry)
{
    COvningar catalogue;
    catalogue.LoadCatalogue(Dataset + "/Ovning.crp");
    ProgramState state;
    state.texts.LoadTexts(Dataset + "/lang.crp");
    state.settings.Language = 2;
    CSeededRandom random(1);
    TickingPump pump;
    ExerciseContext context { nullptr, &random, &pump, &state };
    Board board;

    int exercises = 0;
    int asked = 0;
    for (COvning *entry = catalogue.First(); entry != nullptr; entry = entry->Next) {
        auto *exercise = dynamic_cast<COvningMulti *>(entry);
        if (exercise == nullptr || entry->Kind != "MULTI")
            continue;
        ++exercises;
        const std::string name = "exercise " + std::to_string(entry->Number) + " \"" + entry->Title(2) + "\"";
        std::unique_ptr<CKarta> map = LoadPlacesAndAreas(*exercise, Dataset);
        exercise->Map = map.get();
        exercise->Context = &context;
        pump.exercise = exercise;
        exercise->Start(&board);
        EXPECT_NE(exercise->CurrentPlace, nullptr) << name << " asks nothing";
        int questions = 0;
        while (exercise->CurrentPlace != nullptr && questions <= map->Places->SelectedCount) {
            ++questions;
            const COrt &place = *exercise->CurrentPlace;
            const std::string key = exercise->CountryKey(place);
            const std::string country = exercise->CountryName(key);
            if (exercise->QuestionMode == 1) {
                EXPECT_EQ(exercise->Answers[exercise->RightPosition], country);
            }
            EXPECT_TRUE(LiesIn(*map->Areas, key, place))
                << name << ": " << place.Names[2] << " [" << place.Key << "] is asked with " << country << " (" << key
                << ") but does not lie there";
            exercise->RightAnswer();
            exercise->NextQuestion();
        }
        asked += questions;
        EXPECT_EQ(questions, map->Places->SelectedCount) << name;
        exercise->Map = nullptr;
        exercise->Context = nullptr;
        exercise->Window = nullptr;
    }
    EXPECT_GT(exercises, 0);
    EXPECT_GT(asked, exercises);
}
