#pragma once
// Builds .crp files in code, field by field, so that every fixture says what
// it holds. Texts are stored shifted by the data set's text offset.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace landora::test {

class CrpWriter {
public:
    CrpWriter &Byte(std::uint8_t value);
    CrpWriter &Int16(std::uint16_t value);
    CrpWriter &Int32(std::int32_t value);
    CrpWriter &Text(const std::string &text);
    // A value in degrees stored as ten-thousandths.
    CrpWriter &Degrees(double degrees);
    CrpWriter &Raw(const std::string &bytes);

    const std::string &Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// A catalogue record with sensible defaults; tests change what they check.
struct CatalogueRecord {
    std::string kind = "AREA";
    std::vector<std::string> titles = {"Titel", "Title", "Titre", "Titel", "Titulo", "Titolo", "Titel", "Titel", "Titulo"};
    int number = 1;
    int level = 1;
    int lineWidth = 1;
    bool need1 = false;
    bool need2 = false;
    int mapNumber = 1;
    int placeFileNumber = 1;
    std::string continent = "EUR";
    std::uint32_t background = 0;
    std::uint32_t area = 0;
    std::uint32_t sea = 0;
    double north = 0;
    double south = 0;
    double centre = 0;
    int keyCount = -1; // -1: the number of keys below
    std::vector<std::string> keys;

    void WriteTo(CrpWriter &out) const;
};

// An area record (AREA<n>.crp, Vatten.crp): a polygon with its bounds, fill
// points and names. Bounds default to the box of the points when left unset.
struct AreaRecord {
    std::string key = "A";
    std::string group1;
    std::string group2;
    std::vector<std::string> names = {"Namn", "Name"};
    std::string flagFile;
    int reserved = 0;
    int pointCount = -1; // -1: the number of points below
    bool boundsFromPoints = true;
    double north = 0, south = 0, east = 0, west = 0;
    double fill1Lat = 0, fill1Lon = 0, fill2Lat = 0, fill2Lon = 0;
    std::vector<std::pair<double, double>> points; // latitude, longitude

    void WriteTo(CrpWriter &out) const;
};

// A place record (Ort<n>.crp).
struct PlaceRecord {
    std::string key = "P";
    std::vector<std::string> names = {"Ort", "Place"};
    int level = 1;
    bool category1 = false;
    bool category2 = false;
    std::string group1;
    std::string group2;
    std::string group3;
    double latitude = 0;
    double longitude = 0;

    void WriteTo(CrpWriter &out) const;
};

// A lang.crp record: text number t in the nine languages.
void WriteTextRecord(CrpWriter &out, int t, const std::vector<std::string> &texts);

} // namespace landora::test
