#include "map/Karta.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/ByteFile.h"
#include "map/Canvas.h"

namespace landora {

namespace {

// Maps v linearly from lo..hi onto outLo..outHi. The upper end is nudged by
// 1e-8 (which only survives the float rounding near 0) so that a range of
// zero extent does not divide by zero.
float Interpolate(double v, double hi, double lo, double outHi, double outLo)
{
    const double hi2 = static_cast<float>(hi + 1e-8);
    return static_cast<float>(outLo + (outHi - outLo) * (v - lo) / (hi2 - lo));
}

float ClampLatitude(float latitude) { return std::clamp(latitude, -90.0f, 90.0f); }

} // namespace

int CKarta::ImageWidth() const { return Image != nullptr ? Image->Width() : 0; }
int CKarta::ImageHeight() const { return Image != nullptr ? Image->Height() : 0; }

float CKarta::PixelsPerDegree() const
{
    return static_cast<float>(static_cast<double>(ImageHeight()) /
                              (static_cast<double>(NorthLatitude) - SouthLatitude));
}

MapProjection CKarta::Projection() const
{
    return MapProjection(ImageWidth(), ImageHeight(), CentreLongitude, NorthLatitude, SouthLatitude, ScaleDivisor);
}

std::int32_t CKarta::LatitudeToY(float latitude) const { return Projection().Y(latitude); }

std::int32_t CKarta::PositionToX(float latitude, float longitude) const
{
    return Projection().X(latitude, longitude);
}

float CKarta::YToLatitude(std::int32_t y) const
{
    const float v = Interpolate(y, ImageHeight(), 0.0, SouthLatitude, NorthLatitude);
    return ClampLatitude(v);
}

float CKarta::PointToLongitude(std::int32_t y, std::int32_t x) const
{
    const float lat = YToLatitude(y);
    const double s = PixelsPerDegree();
    if (lat == 90.0f || lat == -90.0f)
        return CentreLongitude;
    const double l = lat;
    // The inverse centres on W div 2, the forward direction on W / 2: for an
    // odd width the two differ by half a pixel.
    const double dx = static_cast<double>(x) - ImageWidth() / 2;
    return static_cast<float>(CentreLongitude + dx / std::sqrt(8100.0 - l * l) * ScaleDivisor / s);
}

std::int32_t CKarta::PixelDistance(GeoPoint point, const COrt &place) const
{
    const auto placeLat = static_cast<float>(place.Latitude);
    const auto placeLon = static_cast<float>(place.Longitude);
    const double dy = static_cast<double>(LatitudeToY(point.Latitude)) - LatitudeToY(placeLat);
    const double dx = static_cast<double>(PositionToX(point.Latitude, point.Longitude)) -
                      PositionToX(placeLat, placeLon);
    return RoundToPixel(std::sqrt(dy * dy + dx * dx));
}

bool CKarta::IsInside(std::int32_t x, std::int32_t y) const
{
    return x > 0 && x < ImageWidth() && y > 0 && y < ImageHeight();
}

void CKarta::ComputeScale()
{
    const double middle = std::fabs((static_cast<double>(NorthLatitude) + SouthLatitude) / 2.0);
    ScaleDivisor = RoundToPixel(middle / 90.0 * 50.0) + 90;
}

float CKarta::VisibleHalfWidth() const
{
    const int h = ImageHeight();
    const double a = static_cast<double>(CentreLongitude) - PointToLongitude(h / 2, 0);
    const double b = static_cast<double>(CentreLongitude) - PointToLongitude(h, 0);
    return static_cast<float>(std::min({1000.0, a, b}));
}

void CKarta::FitToAreas()
{
    float north = -10000.0f;
    float south = 10000.0f;
    float east = -10000.0f;
    float west = 10000.0f;
    if (Areas != nullptr) {
        for (int i = 1; i <= Areas->Count; ++i) {
            const CArea &area = *Areas->Items[i];
            if (!area.Active || area.PointCount <= 0)
                continue;
            if (area.North > north)
                north = static_cast<float>(area.North);
            if (area.East > east)
                east = static_cast<float>(area.East);
            if (area.West < west)
                west = static_cast<float>(area.West);
            if (area.South < south)
                south = static_cast<float>(area.South);
        }
    }
    CentreLongitude = static_cast<float>((static_cast<double>(west) + east) / 2.0);
    const double m = (static_cast<double>(north) - south) / 25.0;
    NorthLatitude = static_cast<float>(north + m);
    SouthLatitude = static_cast<float>(south - m);
    ComputeScale();
    const double need =
        std::max(static_cast<double>(east) - CentreLongitude, static_cast<double>(CentreLongitude) - west);

    // Each step widens the latitude range by about 2 %, which shrinks the
    // scale. Once the bottom or middle row reaches a pole the visible width
    // collapses to 0 and can never reach `need` again: the widening stops
    // there and keeps the widest view it had reached.
    float reached = VisibleHalfWidth();
    while (reached < need) {
        const float oldNorth = NorthLatitude;
        const float oldSouth = SouthLatitude;
        const std::int32_t oldScale = ScaleDivisor;
        NorthLatitude = static_cast<float>(NorthLatitude + (static_cast<double>(NorthLatitude) - SouthLatitude) / 100.0);
        SouthLatitude = static_cast<float>(SouthLatitude - (static_cast<double>(NorthLatitude) - SouthLatitude) / 100.0);
        ComputeScale();
        const float now = VisibleHalfWidth();
        if (!(now > reached)) {
            NorthLatitude = oldNorth;
            SouthLatitude = oldSouth;
            ScaleDivisor = oldScale;
            break;
        }
        reached = now;
    }
}

void CKarta::LoadSeaPoints(const std::string &fileName)
{
    TByteFile file(fileName);
    // An empty file gives no sea points (not one at latitude 0, longitude 0).
    SeaPointCount = 0;
    while (!file.AtEnd()) {
        GeoPoint &point = SeaPoints[SeaPointCount + 1]; // the 101st pair fails with the range error
        point.Latitude = static_cast<float>(file.ReadInt32() / 10000.0);
        point.Longitude = static_cast<float>(file.ReadInt32() / 10000.0);
        ++SeaPointCount;
    }
}

} // namespace landora
