#include "map/Karta.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "data/ByteFile.h"
#include "map/Canvas.h"
#include "map/Cpu.h"

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

#if defined(__x86_64__) && defined(__GNUC__)
// Four points a step: the same double operations as X() and Y(), in the same
// order, on four lanes (vector arithmetic rounds exactly as scalar does). A
// group holding a pole, a latitude beyond one, or a result that needs the
// slow rounding is worked out point by point instead.
__attribute__((target("avx2"))) std::size_t ProjectFourAtATime(const GeoPoint *points, std::size_t count,
                                                               CanvasPoint *out, double halfWidth, double height,
                                                               double centre, double south, double north,
                                                               double pixelsPerDegree, double scaleDivisor)
{
    static_assert(sizeof(GeoPoint) == 2 * sizeof(float) && sizeof(CanvasPoint) == 2 * sizeof(std::int32_t));
    const __m256i split = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const __m256d magic = _mm256_set1_pd(6755399441055744.0);
    const __m256d limit = _mm256_set1_pd(1e9);
    const __m256d negLimit = _mm256_set1_pd(-1e9);
    const __m128 pole = _mm_set1_ps(90.0f);
    const __m128 negPole = _mm_set1_ps(-90.0f);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256 pair = _mm256_permutevar8x32_ps(_mm256_loadu_ps(&points[i].Latitude), split);
        const __m128 latF = _mm256_castps256_ps128(pair);
        const __m128 lonF = _mm256_extractf128_ps(pair, 1);
        const int latOk = _mm_movemask_ps(_mm_and_ps(_mm_cmplt_ps(latF, pole), _mm_cmpgt_ps(latF, negPole)));
        const __m256d lat = _mm256_cvtps_pd(latF);
        const __m256d d = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_sub_pd(_mm256_cvtps_pd(lonF), _mm256_set1_pd(centre))));
        __m256d x = _mm256_sqrt_pd(_mm256_sub_pd(_mm256_set1_pd(8100.0), _mm256_mul_pd(lat, lat)));
        x = _mm256_mul_pd(x, d);
        x = _mm256_div_pd(x, _mm256_set1_pd(scaleDivisor));
        x = _mm256_mul_pd(x, _mm256_set1_pd(pixelsPerDegree));
        x = _mm256_add_pd(x, _mm256_set1_pd(halfWidth));
        __m256d y = _mm256_mul_pd(_mm256_set1_pd(height - 0.0), _mm256_sub_pd(lat, _mm256_set1_pd(south)));
        y = _mm256_div_pd(y, _mm256_set1_pd(north - south));
        y = _mm256_add_pd(_mm256_setzero_pd(), y);
        y = _mm256_cvtps_pd(_mm256_cvtpd_ps(y));
        y = _mm256_sub_pd(_mm256_set1_pd(height), y);
        const __m256d inRange =
            _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(x, limit, _CMP_LT_OQ), _mm256_cmp_pd(x, negLimit, _CMP_GT_OQ)),
                          _mm256_and_pd(_mm256_cmp_pd(y, limit, _CMP_LT_OQ), _mm256_cmp_pd(y, negLimit, _CMP_GT_OQ)));
        if (latOk != 0xF || _mm256_movemask_pd(inRange) != 0xF)
            break;
        const __m128i xi = _mm256_cvttpd_epi32(_mm256_sub_pd(_mm256_add_pd(x, magic), magic));
        const __m128i yi = _mm256_cvttpd_epi32(_mm256_sub_pd(_mm256_add_pd(y, magic), magic));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(&out[i].X), _mm_unpacklo_epi32(xi, yi));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(&out[i + 2].X), _mm_unpackhi_epi32(xi, yi));
    }
    return i;
}
#endif

void MapProjection::Project(const GeoPoint *points, std::size_t count, CanvasPoint *out) const
{
    std::size_t i = 0;
    while (i < count) {
#if defined(__x86_64__) && defined(__GNUC__)
        if (HasAvx2) {
            i += ProjectFourAtATime(points + i, count - i, out + i, halfWidth_, height_, centre_, south_, north_,
                                    pixelsPerDegree_, scaleDivisor_);
            if (i >= count)
                break;
        }
#endif
        // One point the plain way; the vectors take up again after it.
        out[i] = CanvasPoint{X(points[i].Latitude, points[i].Longitude), Y(points[i].Latitude)};
        ++i;
    }
}

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
