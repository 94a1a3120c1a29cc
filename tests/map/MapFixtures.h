#pragma once
// Maps built in code for the map tests: areas and places without files.
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "map/Area.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "map/Ort.h"

namespace landora::test {

// An area whose polygon is the given vertices (latitude, longitude); bounds
// from the vertices, fill points at the first given point unless set later.
inline CArea &AddArea(CAreor &list, const std::string &key,
                      std::initializer_list<std::pair<float, float>> vertices)
{
    auto area = std::make_unique<CArea>();
    area->Key = key;
    area->Names[1] = key;
    area->Names[2] = key;
    int n = 0;
    double north = -1000, south = 1000, east = -1000, west = 1000;
    for (const auto &[lat, lon] : vertices) {
        ++n;
        area->Points[n] = GeoPoint{lat, lon};
        north = std::max<double>(north, lat);
        south = std::min<double>(south, lat);
        east = std::max<double>(east, lon);
        west = std::min<double>(west, lon);
    }
    area->PointCount = n;
    if (n > 0) {
        area->North = north;
        area->South = south;
        area->East = east;
        area->West = west;
        area->FillPoint1 = GeoPoint{static_cast<float>((north + south) / 2), static_cast<float>((east + west) / 2)};
        area->FillPoint2 = area->FillPoint1;
    }
    list.Count += 1;
    list.Items[list.Count] = std::move(area);
    return *list.Items[list.Count];
}

// A box from (south, west) to (north, east) as a four-vertex polygon.
inline CArea &AddBox(CAreor &list, const std::string &key, float south, float west, float north, float east)
{
    return AddArea(list, key, {{south, west}, {north, west}, {north, east}, {south, east}});
}

// A map with empty lists over a world view (90 N to 90 S, centred on 0) on a
// canvas of the given size.
struct TestMap {
    Canvas canvas;
    CKarta map;

    TestMap(int width, int height, float north = 90.0f, float south = -90.0f, float centre = 0.0f)
        : canvas(width, height)
    {
        map.Areas = std::make_unique<CAreor>();
        map.Waters = std::make_unique<CAreor>();
        map.Places = std::make_unique<COrter>();
        map.Image = &canvas;
        map.NorthLatitude = north;
        map.SouthLatitude = south;
        map.CentreLongitude = centre;
        map.ComputeScale();
    }
};

} // namespace landora::test
