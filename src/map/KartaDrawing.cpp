// The painting side of the map. Only outlines are drawn as lines; every
// coloured surface is a flood fill of the raster already drawn, started from
// stored seed points and guarded by the colour found under them, so the order
// of the steps and the colour tests below are what make the layers come out.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/Services.h"
#include "map/Canvas.h"
#include "map/Karta.h"

namespace landora {

namespace {

constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour White = RGB(255, 255, 255);

using Pixel = CanvasPoint;

// The pixels of an outline's vertices, 1-based like the vertices, worked out
// in one pass before any line is drawn: the roots and divisions of
// neighbouring vertices then overlap instead of waiting on the drawing.
void ProjectOutline(const MapProjection &projection, const CArea &area, std::vector<Pixel> &out)
{
    out.resize(static_cast<std::size_t>(area.PointCount) + 1);
    if (area.PointCount > 0)
        projection.Project(&area.Points[1], static_cast<std::size_t>(area.PointCount), out.data() + 1);
}

// Whether pixel (x, y) lies inside the projected outline (vertices 1..n of
// `ring`), by the even-odd rule on the pixel's centre. A lake only a pixel or
// two across at the map's scale can have its fill point round onto the land
// beside it; a border fill from there runs to the water-coloured frame and
// floods the whole map, so such a point is not filled from.
bool CentreInside(const std::vector<Pixel> &ring, std::int32_t x, std::int32_t y)
{
    bool inside = false;
    const std::size_t n = ring.size() - 1;
    for (std::size_t i = 1, j = n; i <= n; j = i++) {
        const Pixel a = ring[i];
        const Pixel b = ring[j];
        if ((a.Y > y) != (b.Y > y)) {
            // x of the edge at row y, compared without division.
            const std::int64_t lhs = static_cast<std::int64_t>(x - a.X) * (b.Y - a.Y);
            const std::int64_t rhs = static_cast<std::int64_t>(b.X - a.X) * (y - a.Y);
            if ((b.Y > a.Y) ? lhs < rhs : lhs > rhs)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

void CKarta::Pump() const
{
    if (Events != nullptr)
        Events->ProcessEvents();
}

bool CKarta::MayBeVisible(const MapProjection &projection, const CArea &area) const
{
    if (area.North < SouthLatitude || area.South > NorthLatitude)
        return false;
    const auto north = static_cast<float>(area.North);
    if (projection.X(north, static_cast<float>(area.East)) < -100)
        return false;
    if (projection.X(north, static_cast<float>(area.West)) > ImageWidth() + 100)
        return false;
    return true;
}

void CKarta::FillBackground()
{
    if (Image == nullptr)
        return;
    Image->FillRect(0, 0, Image->Width(), Image->Height(), LandColour);
}

void CKarta::DrawOutlines(int width)
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    const int w = c.Width();
    const int h = c.Height();
    c.SetPenColour(Black);
    c.SetPenMode(PenMode::Copy);
    c.SetNoFill();
    c.Rectangle(0, 0, w, h);
    c.SetPenWidth(width);
    if (Areas != nullptr) {
        const MapProjection projection = Projection();
        std::vector<Pixel> pixels;
        for (int i = 1; i <= Areas->Count; ++i) {
            const CArea &area = *Areas->Items[i];
            if (area.PointCount <= 0 || !area.Drawn() || !MayBeVisible(projection, area))
                continue;
            ProjectOutline(projection, area, pixels);
            // The outline runs back to its first vertex. A line omits its
            // end pixel, but every vertex of the border is still painted:
            // it starts the next line (repeated vertices draw nothing), and
            // the last line ends on the first vertex, which started the
            // first one. An outline of a single pixel paints nothing.
            pixels.push_back(pixels[1]);
            c.Polyline(pixels.data() + 1, pixels.size() - 1);
        }
    }
    c.SetPenMode(PenMode::Copy);
    c.Rectangle(0, 0, w, h);
}

void CKarta::DrawWaters()
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    c.SetPenColour(WaterColour);
    c.SetPenWidth(1);
    c.SetNoFill();
    c.Rectangle(0, 0, c.Width(), c.Height());
    if (Waters != nullptr) {
        const MapProjection projection = Projection();
        auto pixelOf = [&projection](const GeoPoint &p) {
            return Pixel{projection.X(p.Latitude, p.Longitude), projection.Y(p.Latitude)};
        };
        std::vector<Pixel> pixels;
        for (int i = 1; i <= Waters->Count; ++i) {
            const CArea &lake = *Waters->Items[i];
            if (lake.PointCount <= 0)
                continue;
            ProjectOutline(projection, lake, pixels);
            const Pixel first = pixels[1];
            c.MoveTo(first.X, first.Y);
            Pixel previous = first;
            auto lineTo = [&](Pixel next) {
                c.LineTo(next.X, next.Y);
                c.SetPixel(previous.X, previous.Y, c.PenColour());
                c.SetPixel(next.X, next.Y, c.PenColour());
                previous = next;
            };
            for (int j = 1; j <= lake.PointCount; ++j)
                lineTo(pixels[static_cast<std::size_t>(j)]);
            lineTo(first);

            c.SetBrush(WaterColour);
            const Pixel p1 = pixelOf(lake.FillPoint1);
            if (IsInside(p1.X, p1.Y) && CentreInside(pixels, p1.X, p1.Y)) {
                c.FloodFill(p1.X, p1.Y, WaterColour, FloodStyle::Border);
                // From here on the lakes are known by the colour the surface
                // really shows.
                WaterColour = c.GetPixel(p1.X, p1.Y);
            }
            const Pixel p2 = pixelOf(lake.FillPoint2);
            if (IsInside(p2.X, p2.Y) && CentreInside(pixels, p2.X, p2.Y))
                c.FloodFill(p2.X, p2.Y, WaterColour, FloodStyle::Border);
        }
    }
    DrawFrame();
}

void CKarta::FloodSea()
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    c.SetBrush(SeaColour);
    const MapProjection projection = Projection();
    for (int i = 1; i <= SeaPointCount; ++i) {
        const GeoPoint &p = SeaPoints[i];
        const std::int32_t x = projection.X(p.Latitude, p.Longitude);
        const std::int32_t y = projection.Y(p.Latitude);
        // Only land is flooded: a point already in the sea, on a lake or on
        // an outline paints nothing.
        if (c.GetPixel(x, y) != SeaColour && IsInside(x, y)) {
            c.FloodFill(x, y, LandColour, FloodStyle::Surface);
            Pump();
        }
    }
}

void CKarta::FillArea(const CArea &area, Colour colour)
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    const MapProjection projection = Projection();
    for (const GeoPoint *p : {&area.FillPoint1, &area.FillPoint2}) {
        c.SetBrush(colour);
        const std::int32_t x = projection.X(p->Latitude, p->Longitude);
        const std::int32_t y = projection.Y(p->Latitude);
        const Colour under = c.GetPixel(x, y);
        // Borders and lakes are never filled, and refilling an area with the
        // colour it already shows does nothing.
        if (under != Black && under != WaterColour && under != colour && IsInside(x, y))
            c.FloodFill(x, y, under, FloodStyle::Surface);
    }
}

void CKarta::FillAreasByKey(const std::string &key, Colour colour)
{
    if (Areas == nullptr)
        return;
    for (int i = 1; i <= Areas->Count; ++i) {
        const CArea &area = *Areas->Items[i];
        if (area.Matches(key) && area.Active)
            FillArea(area, colour);
    }
}

void CKarta::FillAreasByState()
{
    if (Areas == nullptr)
        return;
    for (int i = 1; i <= Areas->Count; ++i) {
        const CArea &area = *Areas->Items[i];
        if (!area.Active)
            continue;
        if (!area.Answered) {
            FillArea(area, AreaColour);
            continue;
        }
        const int t = area.AnsweredOnTry;
        if (t <= 0)
            continue;
        const Colour colour = t == 1   ? RGB(255, 255, 255)
                              : t == 2 ? RGB(255, 255, 128)
                              : t == 3 ? RGB(255, 255, 0)
                                       : RGB(255, 0, 0);
        FillArea(area, colour);
    }
}

void CKarta::DrawGraticule(int step, Colour pen, PenMode mode)
{
    if (Image == nullptr || step <= 0)
        return;
    Canvas &c = *Image;
    const float lo = std::max(-89.0f, SouthLatitude);
    const float hi = std::min(89.0f, NorthLatitude);
    const std::int32_t loRow = static_cast<std::int32_t>(std::nearbyint(lo));
    const std::int32_t hiRow = static_cast<std::int32_t>(std::nearbyint(hi));
    c.SetPen(pen, 1, mode);
    const MapProjection projection = Projection();
    // Meridians in pieces of a quarter step of latitude: each piece starts
    // where the last one ended and omits its end pixel, so no pixel of a
    // meridian is combined with the surface twice. Both pen modes of the grid
    // give a pixel the same colour whatever the order of the lines over it,
    // so each meridian is drawn from south to north as one path: the pixels
    // it changes follow one another up the rows.
    const double quarter = step / 4.0;
    const std::int32_t kFrom = static_cast<std::int32_t>(std::nearbyint(CentreLongitude - 180.0)) / step;
    const std::int32_t kTo = static_cast<std::int32_t>(std::nearbyint(CentreLongitude + 180.0)) / step;
    const std::int32_t jFrom = (loRow / step) * 4 - 4;
    const std::int32_t jTo = (hiRow / step) * 4 + 3;
    // The two ends of every piece, south end first.
    std::vector<GeoPoint> ends;
    std::vector<Pixel> endPixels;
    std::vector<Pixel> path;
    for (std::int32_t k = kFrom; k <= kTo; ++k) {
        const auto lon = static_cast<float>(k * step);
        ends.clear();
        for (std::int32_t j = jFrom; j <= jTo; ++j) {
            ends.push_back(GeoPoint{static_cast<float>(j * quarter), lon});
            ends.push_back(GeoPoint{static_cast<float>(j * quarter + quarter), lon});
        }
        endPixels.resize(ends.size());
        projection.Project(ends.data(), ends.size(), endPixels.data());
        path.clear();
        for (std::size_t e = 0; e + 1 < endPixels.size(); e += 2) {
            const Pixel from = endPixels[e];
            if (path.empty() || !(path.back() == from)) {
                c.Polyline(path.data(), path.size());
                path.assign(1, from);
            }
            path.push_back(endPixels[e + 1]);
        }
        c.Polyline(path.data(), path.size());
    }
    for (std::int32_t m = loRow / step; m <= hiRow / step; ++m) {
        const auto latitude = static_cast<float>(m * step);
        if (latitude > -90.0f && latitude < 90.0f) {
            const std::int32_t y = projection.Y(latitude);
            c.MoveTo(projection.X(latitude, static_cast<float>(CentreLongitude - 180.0)), y);
            c.LineTo(projection.X(latitude, static_cast<float>(CentreLongitude + 180.0)), y);
        }
    }
    c.SetPenMode(PenMode::Copy);
    DrawFrame();
}

void CKarta::DrawFrame()
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    c.SetPen(Black, 5, PenMode::Copy);
    c.SetNoFill();
    c.Rectangle(0, 0, c.Width(), c.Height());
    c.SetSolidFill();
}

void CKarta::DrawPlace(const COrt &place, Colour colour)
{
    if (Image == nullptr)
        return;
    Canvas &c = *Image;
    const std::int32_t r = c.Width() / 250 + 2;
    const auto lat = static_cast<float>(place.Latitude);
    const std::int32_t x = PositionToX(lat, static_cast<float>(place.Longitude));
    const std::int32_t y = LatitudeToY(lat);
    c.SetPenColour(White);
    c.SetPenWidth(1);
    c.SetBrush(colour);
    c.Ellipse(x - r, y - r, x + r, y + r);
    if (!place.Answered)
        return;
    const int t = place.AnsweredOnTry;
    const Colour label = t == 1   ? RGB(255, 255, 255)
                         : t == 2 ? RGB(255, 255, 160)
                         : t == 3 ? RGB(255, 255, 0)
                                  : AlertColour;
    c.SetBrush(label);
    c.SetPenColour(Black);
    c.SetFont("Arial", 8.0);
    const std::string &text = place.Names[std::clamp(Language, 1, LanguageCount)];
    const TextSize size = c.MeasureText(text);
    c.Rectangle(x - size.Width / 2 - 4, y - r, x + size.Width / 2 + 4, y - r + size.Height);
    c.SetNoFill();
    c.TextOut(x - size.Width / 2, y - r, text, Black);
}

void CKarta::DrawPendingPlaces()
{
    if (Places == nullptr)
        return;
    for (const COrt *place = Places->First; place != nullptr; place = place->Next)
        if (place->Selected && !place->Answered)
            DrawPlace(*place, RGB(0, 128, 0));
}

} // namespace landora
