#pragma once
// An exercise of the catalogue. Each catalogue entry is already the exercise
// object of its kind, filled by the catalogue loader and reused for every run.
#include <cstdint>
#include <string>

#include "data/Colour.h"
#include "data/FixedArray.h"
#include "data/Languages.h"

namespace landora {

inline constexpr int MaxKeys = 190;
inline constexpr int MaxExerciseNumber = 190;

class CKarta;
class IOvningsformular;

// What a window hands to an exercise: a map click in degrees, or a numbered
// choice (flag cell 1..16, answer 1..4).
struct AnswerPoint {
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t Index = 0;
};

class COvning {
public:
    COvning() = default;
    virtual ~COvning() = default;
    COvning(const COvning &) = delete;
    COvning &operator=(const COvning &) = delete;

    // ---- catalogue fields, filled by the loader, never changed by a run ----
    std::string Kind;                           // "AREA", "ORT", "FLAGG", "MULTI"
    FixedArray<std::string, LanguageCount> Titles;
    std::int32_t Number = 0;                    // 1..190, the slot in the score file
    std::int32_t Level = 0;
    std::int32_t LineWidth = 0;
    bool NeedCategory1 = false;
    bool NeedCategory2 = false;
    std::int32_t MapNumber = 0;
    std::int32_t PlaceFileNumber = 0;
    std::string Continent;
    Colour BackgroundColour = 0;
    Colour AreaColour = 0;
    Colour SeaColour = 0;
    double NorthLatitude = 0.0;
    double SouthLatitude = 0.0;
    double CentreLongitude = 0.0;
    std::int32_t KeyCount = 0;
    FixedArray<std::string, MaxKeys> Keys;

    // The next entry of the catalogue in file order; the catalogue owns both.
    COvning *Next = nullptr;

    // The title in a language 1..9 (ERangeError outside).
    const std::string &Title(int language) const { return Titles[language]; }
};

} // namespace landora
