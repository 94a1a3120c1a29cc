#pragma once
// The map of one exercise run: view, layer colours, the area and place lists,
// the sea points, the conversions between degrees and pixels, and the layered
// raster drawing (outlines, lakes, sea and areas flood-filled from seed points).
#include <cstdint>
#include <memory>
#include <string>

#include "data/Colour.h"
#include "data/FixedArray.h"
#include "map/Area.h"
#include "map/Ort.h"

namespace landora {

class Canvas;
class IEventPump;
enum class PenMode;

inline constexpr int MaxSeaPoints = 100;

class CKarta {
public:
    CKarta() = default;
    CKarta(const CKarta &) = delete;
    CKarta &operator=(const CKarta &) = delete;

    Colour WaterColour = RGB(0, 0, 128);
    Colour LandColour = RGB(128, 128, 128);
    Colour AreaColour = RGB(0, 128, 0);
    Colour SeaColour = RGB(0, 0, 128);
    float CentreLongitude = 0.0f;
    float NorthLatitude = 0.0f;
    float SouthLatitude = 0.0f;
    std::int32_t ScaleDivisor = 1;
    Canvas *Image = nullptr; // the window's map image; not owned
    std::unique_ptr<CAreor> Areas;
    std::unique_ptr<CAreor> Waters;
    std::unique_ptr<COrter> Places;
    FixedArray<GeoPoint, MaxSeaPoints> SeaPoints;
    std::int32_t SeaPointCount = 0;
    bool ShowGraticule = false;

    // What the drawing needs of the program: the interface language of the
    // place labels, the colour of labels found after many tries, and the
    // "let pending events run" service called after each drawing step.
    int Language = 2;
    Colour AlertColour = RGB(255, 64, 64);
    IEventPump *Events = nullptr;

    // ---- projection ----
    std::int32_t LatitudeToY(float latitude) const;
    std::int32_t PositionToX(float latitude, float longitude) const;
    float YToLatitude(std::int32_t y) const;
    float PointToLongitude(std::int32_t y, std::int32_t x) const;
    std::int32_t PixelDistance(GeoPoint point, const COrt &place) const;
    bool IsInside(std::int32_t x, std::int32_t y) const;

    // ---- view ----
    void ComputeScale();
    void FitToAreas();
    float VisibleHalfWidth() const;

    void LoadSeaPoints(const std::string &fileName);

    // ---- drawing on Image ----
    void FillBackground();
    void DrawOutlines(int width);
    void DrawWaters();
    void FloodSea();
    void FillArea(const CArea &area, Colour colour);
    void FillAreasByKey(const std::string &key, Colour colour);
    void FillAreasByState();
    void DrawGraticule(int step, Colour pen, PenMode mode);
    void DrawFrame();
    void DrawPlace(const COrt &place, Colour colour);
    void DrawPendingPlaces();

private:
    int ImageWidth() const;
    int ImageHeight() const;
    // Pixels per degree of latitude, as a 32-bit float.
    float PixelsPerDegree() const;
    bool MayBeVisible(const CArea &area) const;
    void Pump() const;
};

} // namespace landora
