#pragma once
// Areas: the polygons of a map (countries, regions) and of its lakes, read
// from "AREA<n>.crp" and "Vatten.crp".
#include <cstdint>
#include <memory>
#include <string>

#include "data/FixedArray.h"
#include "data/Languages.h"

namespace landora {

inline constexpr int MaxAreas = 500;
inline constexpr int MaxVertices = 500;

// A geographic position in memory: latitude first, then longitude, degrees.
struct GeoPoint {
    float Latitude = 0.0f;
    float Longitude = 0.0f;
};

class CArea {
public:
    std::string Key;
    FixedArray<std::string, LanguageCount> Names;
    std::string Group1;
    std::string Group2;
    std::string FlagFile;
    double North = 0.0;
    double South = 0.0;
    double East = 0.0;
    double West = 0.0;
    GeoPoint FillPoint1;
    GeoPoint FillPoint2;
    bool Active = false;
    bool Answered = false;
    std::int32_t AnsweredOnTry = 0;
    std::int32_t PointCount = 0;
    FixedArray<GeoPoint, MaxVertices> Points;
    // A disc that stands for an area too small to click, alone in the sea or
    // inside one neighbour (bit 0 of the record's reserved value; older
    // files hold 0 there). It means something only where an exercise asks
    // it: elsewhere it would be a grey disc of land that is not there, so the
    // map leaves it out (`Drawn`).
    bool Marker = false;

    bool Matches(const std::string &key) const;
    // Whether the map draws the area: every area but a marker that the
    // exercise does not ask.
    bool Drawn() const { return Active || !Marker; }
    bool ContainsPoint(GeoPoint point) const;
};

class CAreor {
public:
    CAreor() = default;
    CAreor(const CAreor &) = delete;
    CAreor &operator=(const CAreor &) = delete;

    void LoadFromFile(const std::string &fileName);
    void ClearMarks();
    void MarkActive(const std::string &key);
    void MarkAnswered(const std::string &key, int tryNumber);
    CArea *FindByKey(const std::string &key) const;
    CArea *AreaAt(GeoPoint point) const;

    // Items 1..Count; the list owns them.
    FixedArray<std::unique_ptr<CArea>, MaxAreas> Items;
    std::int32_t Count = 0;
};

} // namespace landora
