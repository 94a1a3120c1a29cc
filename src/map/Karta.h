#pragma once
// The map of one exercise run: view, layer colours, the area and place lists,
// the sea points, the conversions between degrees and pixels, and the layered
// raster drawing (outlines, lakes, sea and areas flood-filled from seed points).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "data/Colour.h"
#include "data/FixedArray.h"
#include "map/Area.h"
#include "map/Ort.h"

namespace landora {

class Canvas;
struct CanvasPoint;
class IEventPump;
enum class PenMode;

inline constexpr int MaxSeaPoints = 100;

// Rounds to the nearest pixel, halves to even; values beyond the 32-bit range
// (a view of almost no height) saturate instead of overflowing.
inline std::int32_t RoundToPixel(double value)
{
    // Adding and removing 1.5 * 2^52 rounds to an integer in the current
    // (default: to nearest, halves to even) mode, exactly as nearbyint does,
    // without a library call (strict floating point keeps the two steps).
    constexpr double Magic = 6755399441055744.0;
    if (value > -1e9 && value < 1e9) {
        const double shifted = value + Magic;
        return static_cast<std::int32_t>(shifted - Magic);
    }
    const double r = std::nearbyint(value);
    if (std::isnan(r))
        return 0;
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

// The degrees-to-pixels conversion of one view and image size. Everything
// that depends only on the view is worked out once, so that drawing thousands
// of outline vertices pays only for what each vertex needs (a root and two
// divisions); the steps and their float roundings are those of the map's own
// conversions, which go through this too.
class MapProjection {
public:
    MapProjection(int width, int height, float centreLongitude, float northLatitude, float southLatitude,
                  std::int32_t scaleDivisor)
        : halfWidth_(width / 2.0), height_(height), centre_(centreLongitude), south_(southLatitude),
          // The upper end is nudged by 1e-8 (which only survives the float
          // rounding near 0) so that a view of zero height does not divide
          // by zero.
          north_(static_cast<float>(northLatitude + 1e-8)),
          pixelsPerDegree_(static_cast<float>(static_cast<double>(height) /
                                              (static_cast<double>(northLatitude) - southLatitude))),
          scaleDivisor_(scaleDivisor)
    {
    }

    std::int32_t Y(float latitude) const
    {
        const double lat = std::clamp(latitude, -90.0f, 90.0f);
        const auto v = static_cast<float>(0.0 + (height_ - 0.0) * (lat - south_) / (north_ - south_));
        return RoundToPixel(height_ - v);
    }

    std::int32_t X(float latitude, float longitude) const
    {
        if (latitude == 90.0f || latitude == -90.0f)
            return RoundToPixel(halfWidth_);
        const double d = static_cast<float>(static_cast<double>(longitude) - centre_);
        // Latitudes beyond the poles do not occur in the data; they are held
        // at the pole rather than taking the root of a negative number.
        const double lat = std::clamp(latitude, -90.0f, 90.0f);
        return RoundToPixel(std::sqrt(8100.0 - lat * lat) * d / scaleDivisor_ * pixelsPerDegree_ + halfWidth_);
    }

    // The pixels of `count` points, each exactly as X() and Y() give it.
    void Project(const GeoPoint *points, std::size_t count, CanvasPoint *out) const;

private:
    double halfWidth_;
    double height_;
    double centre_;
    double south_;
    double north_;
    double pixelsPerDegree_;
    double scaleDivisor_;
};

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
    // The conversion of the current view, for converting many points.
    MapProjection Projection() const;

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
    bool MayBeVisible(const MapProjection &projection, const CArea &area) const;
    void Pump() const;
};

} // namespace landora
