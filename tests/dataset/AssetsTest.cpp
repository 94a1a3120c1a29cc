// The shipped pictures, sounds, flags and help file, read the way the
// program reads them (QImage for pictures) or byte by byte where the program
// hands the file to a player that would fail silently.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "data/Cp1252.h"
#include "data/Languages.h"
#include "data/TextTable.h"

namespace {

const QString Dataset = QStringLiteral(LANDORA_DATASET_DIR);

QByteArray readAll(const QString &name)
{
    QFile f(Dataset + "/" + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

uint32_t le32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t le16(const QByteArray &b, int at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }
uint32_t be32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 | uint32_t(uint8_t(b[at + 2])) << 8 |
           uint32_t(uint8_t(b[at + 3]));
}

// Flag pictures must be plain 24-bit uncompressed bitmaps that fit a board cell.
void expectPlainBitmap24(const QByteArray &b, int w, int h, const QString &name)
{
    ASSERT_GE(b.size(), 54) << name.toStdString();
    EXPECT_EQ(b.left(2), QByteArray("BM")) << name.toStdString();
    EXPECT_EQ(le32(b, 2), uint32_t(b.size())) << name.toStdString();
    EXPECT_EQ(int32_t(le32(b, 18)), w) << name.toStdString();
    EXPECT_EQ(int32_t(le32(b, 22)), h) << name.toStdString() << " (bottom-up rows)";
    EXPECT_EQ(le16(b, 28), 24) << name.toStdString();
    EXPECT_EQ(le32(b, 30), 0u) << name.toStdString() << " must be uncompressed";
    const int stride = (w * 3 + 3) & ~3;
    EXPECT_EQ(b.size(), int(le32(b, 10)) + stride * h) << name.toStdString();
}

TEST(FlagPictures, EveryFlagIsACellSizedBitmapThatLoads)
{
    QDir dir(Dataset + "/flags");
    const QStringList files = dir.entryList({"*.bmp"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 250);
    const QRegularExpression name("^[a-z]{2}(-[a-z]+)?\\.bmp$|^[a-z]+\\.bmp$");
    for (const QString &f : files) {
        EXPECT_TRUE(name.match(f).hasMatch()) << f.toStdString();
        expectPlainBitmap24(readAll("flags/" + f), 84, 63, f);
        QImage img(dir.filePath(f));
        ASSERT_FALSE(img.isNull()) << f.toStdString();
        EXPECT_EQ(img.size(), QSize(84, 63)) << f.toStdString();
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 3)
            for (int x = 0; x < img.width(); x += 3)
                colours.insert(img.pixel(x, y));
        EXPECT_GE(colours.size(), 2) << f.toStdString() << " is blank";
    }
    for (const char *code : {"se", "gb", "us", "br", "cn", "za", "au", "gb-sct", "gb-eng", "gb-wls", "gb-nir"})
        EXPECT_TRUE(files.contains(QString(code) + ".bmp")) << code;
}

TEST(FlagPictures, ColoursSurviveTheConversion)
{
    // Sweden: blue field, yellow cross. A channel swap (RGB written as BGR)
    // would turn the blue field orange.
    QImage se(Dataset + "/flags/se.bmp");
    ASSERT_FALSE(se.isNull());
    const QColor field = se.pixelColor(10, 10);
    EXPECT_GT(field.blue(), 100);
    EXPECT_LT(field.red(), 60);
    const QColor cross = se.pixelColor(33, 31);
    EXPECT_GT(cross.red(), 200);
    EXPECT_GT(cross.green(), 150);
    EXPECT_LT(cross.blue(), 80);
    // Rows are stored bottom-up: Germany's black band must be on top.
    QImage de(Dataset + "/flags/de.bmp");
    ASSERT_FALSE(de.isNull());
    EXPECT_LT(de.pixelColor(42, 5).lightness(), 40);
    EXPECT_GT(de.pixelColor(42, 58).red(), 200);
}

// --- The main menu's world map -------------------------------------------

const QRgb Sea = qRgb(0, 0, 128);
const QRgb Land = qRgb(0, 128, 0);
const QRgb PageLand = qRgb(0, 255, 0);

struct MenuPictures {
    QImage page[8];  // 1..7
};

MenuPictures loadMenuPictures()
{
    MenuPictures p;
    for (int i = 1; i <= 7; ++i)
        p.page[i] = QImage(Dataset + QString("/continent%1.png").arg(i)).convertToFormat(QImage::Format_RGB32);
    return p;
}

// The page a click on picture pixel (px, py) selects, as the main menu decides
// it: sea in the Oceania picture gives the whole world; otherwise every page
// whose picture agrees there with the whole-world picture is applied in turn,
// the last one staying. 0 when nothing matches.
int pageAt(const MenuPictures &p, int px, int py)
{
    if (p.page[6].pixel(px, py) == Sea)
        return 7;
    int page = 0;
    for (int candidate : {5, 3, 2, 4, 1, 6})
        if (p.page[candidate].pixel(px, py) == p.page[7].pixel(px, py))
            page = candidate;
    return page;
}

// Pixel of a geographic position in the menu pictures (1.1 pixel a degree of
// longitude from 180 W, 1 pixel a degree of latitude from 90 N).
QPoint menuPixel(double lat, double lon)
{
    return QPoint(int(std::floor((lon + 180.0) * 396.0 / 360.0)), int(std::floor(90.0 - lat)));
}

TEST(MenuMapPictures, SevenPicturesInExactlyThreeColoursOverOneLandRaster)
{
    const MenuPictures p = loadMenuPictures();
    for (int i = 1; i <= 7; ++i) {
        ASSERT_FALSE(p.page[i].isNull()) << i;
        ASSERT_EQ(p.page[i].size(), QSize(396, 155)) << i;
    }
    std::map<int, int> limeCount;
    for (int y = 0; y < 155; ++y)
        for (int x = 0; x < 396; ++x) {
            const bool sea = p.page[7].pixel(x, y) == Sea;
            for (int i = 1; i <= 7; ++i) {
                const QRgb c = p.page[i].pixel(x, y);
                ASSERT_TRUE(c == Sea || c == Land || c == PageLand)
                    << "picture " << i << " has a foreign colour at " << x << "," << y;
                ASSERT_EQ(c == Sea, sea) << "picture " << i << " disagrees on land at " << x << "," << y;
                if (c == PageLand)
                    ++limeCount[i];
            }
            if (!sea) {
                EXPECT_EQ(p.page[7].pixel(x, y), PageLand) << "the world picture shows all land lime";
            }
        }
    for (int i = 1; i <= 6; ++i)
        EXPECT_GT(limeCount[i], 40) << "page " << i << " shows its continent";
    // The continents do not overlap: page land adds up to no more than the world's.
    int sum = 0;
    for (int i = 1; i <= 6; ++i)
        sum += limeCount[i];
    EXPECT_LE(sum, limeCount[7]);
    EXPECT_GT(sum, limeCount[7] * 99 / 100);
}

TEST(MenuMapPictures, ClicksOnKnownPlacesPickTheirPage)
{
    const MenuPictures p = loadMenuPictures();
    struct Case {
        const char *what;
        double lat, lon;
        int page;
    };
    const Case cases[] = {
        {"Paris", 48.85, 2.35, 1},       {"Moscow", 55.75, 37.6, 1},     {"Madrid", 40.4, -3.7, 1},
        {"Chicago", 41.9, -87.6, 2},     {"Mexico City", 19.4, -99.1, 2}, {"Greenland", 72.0, -40.0, 2},
        {"Brasilia", -15.8, -47.9, 3},   {"La Paz", -16.5, -68.1, 3},    {"Beijing", 39.9, 116.4, 4},
        {"New Delhi", 28.6, 77.2, 4},    {"Ankara", 39.9, 32.9, 4},      {"Kinshasa", -4.3, 15.3, 5},
        {"Nairobi", -1.3, 36.8, 5},      {"Cairo", 30.0, 31.2, 5},       {"Alice Springs", -23.7, 133.9, 6},
        {"Mid-Atlantic", 30.0, -40.0, 7}, {"Pacific", 0.0, -140.0, 7},   {"Indian Ocean", -20.0, 80.0, 7},
        // Russia lies on two pages, split at 60 E like its places.
        {"Kazan", 55.8, 49.1, 1},         {"Novosibirsk", 55.0, 82.9, 4}, {"Yakutsk", 62.0, 129.7, 4},
    };
    for (const Case &c : cases) {
        const QPoint px = menuPixel(c.lat, c.lon);
        // Only the part the menu shows can be clicked.
        ASSERT_TRUE(px.x() >= 5 && px.x() <= 390 && px.y() >= 9 && px.y() <= 144) << c.what;
        EXPECT_EQ(pageAt(p, px.x(), px.y()), c.page) << c.what;
    }
}

TEST(MenuMapPictures, EveryVisibleLandPixelLeadsToAContinentPage)
{
    const MenuPictures p = loadMenuPictures();
    int unmatched = 0;
    for (int y = 9; y <= 144; ++y)
        for (int x = 5; x <= 390; ++x)
            if (p.page[7].pixel(x, y) != Sea && pageAt(p, x, y) == 0)
                ++unmatched;
    // Land of breakaway areas without a country code counts too.
    EXPECT_EQ(unmatched, 0);
}

// --- Logo, board template and decorations ----------------------------------

TEST(Pictures, LogoIsAGifOnTheFrameColour)
{
    const QByteArray raw = readAll("logo.gif");
    ASSERT_TRUE(raw.startsWith("GIF87a") || raw.startsWith("GIF89a"));
    EXPECT_EQ(le16(raw, 6), 120);
    EXPECT_EQ(le16(raw, 8), 423);
    QImage logo(Dataset + "/logo.gif");
    if (logo.isNull())
        GTEST_SKIP() << "no GIF reader in this Qt";
    ASSERT_EQ(logo.size(), QSize(120, 423));
    // The menu leaves the bottom-left pixel's colour unpainted; it is the
    // frame blue so that what shows through matches the picture's edges.
    const QRgb background = logo.pixel(0, 422);
    EXPECT_EQ(background & 0xFFFFFF, qRgb(40, 90, 160) & 0xFFFFFF);
    int drawn = 0;
    for (int y = 0; y < 423; ++y)
        for (int x = 0; x < 120; ++x)
            drawn += logo.pixel(x, y) != background;
    EXPECT_GT(drawn, 120 * 423 / 10);
    EXPECT_LT(drawn, 120 * 423 * 3 / 4);
    for (int x = 0; x < 120; ++x)
        EXPECT_EQ(logo.pixel(x, 422), background) << "bottom row must be see-through";
}

TEST(Pictures, FlagBoardTemplateCoversTheBoard)
{
    const QByteArray raw = readAll("bmptest.bmp");
    ASSERT_GE(raw.size(), 54);
    const int w = int(le32(raw, 18)), h = int(le32(raw, 22));
    expectPlainBitmap24(raw, w, h, "bmptest.bmp");
    // The flag panel is 609 x 393 with a frame: its inner image is about 597 x 381.
    EXPECT_GE(w, 590);
    EXPECT_GE(h, 375);
    QImage t(Dataset + "/bmptest.bmp");
    ASSERT_FALSE(t.isNull());
    EXPECT_EQ(t.pixel(w / 8, h / 8), qRgb(192, 192, 192));
    EXPECT_EQ(t.pixel(0, h / 8), qRgb(0, 0, 0));
}

TEST(Pictures, DecorationsHaveTheirWindowSizes)
{
    const struct {
        const char *file;
        int w, h;
    } pics[] = {{"topten1.png", 319, 37},      {"topten2.png", 319, 37},       {"toplist1.png", 45, 35},
                {"toplist2.png", 37, 35},      {"multi_flower.png", 32, 32},   {"multi_berries.png", 32, 32}};
    for (const auto &pic : pics) {
        QImage img(Dataset + "/" + pic.file);
        ASSERT_FALSE(img.isNull()) << pic.file;
        EXPECT_EQ(img.size(), QSize(pic.w, pic.h)) << pic.file;
        EXPECT_TRUE(img.hasAlphaChannel()) << pic.file << " sits on coloured frames";
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << pic.file << " corner should be see-through";
    }
    // The flower is yellow with a red heart; the berries are red.
    const QImage flower = QImage(Dataset + "/multi_flower.png").convertToFormat(QImage::Format_ARGB32);
    const QColor heart = flower.pixelColor(16, 14);
    EXPECT_GT(heart.red(), 180);
    EXPECT_LT(heart.green(), 90);
    int yellow = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor c = flower.pixelColor(x, y);
            yellow += c.alpha() > 200 && c.red() > 200 && c.green() > 170 && c.blue() < 80;
        }
    EXPECT_GT(yellow, 100);
}

// --- Sounds -----------------------------------------------------------------

struct Wave {
    int channels = 0, rate = 0, bits = 0, format = 0;
    std::vector<int16_t> samples;
};

Wave parseWave(const QByteArray &b)
{
    Wave w;
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return w;
    int at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const int len = int(le32(b, at + 4));
        const int body = at + 8;
        if (body + len > b.size())
            return Wave{};
        if (id == "fmt ") {
            w.format = le16(b, body);
            w.channels = le16(b, body + 2);
            w.rate = int(le32(b, body + 4));
            w.bits = le16(b, body + 14);
        } else if (id == "data") {
            for (int i = 0; i + 1 < len; i += 2)
                w.samples.push_back(int16_t(le16(b, body + i)));
        }
        at = body + len + (len & 1);
    }
    return w;
}

TEST(Sounds, EffectsAreShortAudiblePcmWithoutClicks)
{
    const struct {
        const char *file;
        double minSeconds, maxSeconds;
    } effects[] = {{"Plopp4.WAV", 0.1, 0.6}, {"Rassel11.WAV", 0.15, 0.8}, {"Plopp.WAV", 0.05, 0.4}};
    for (const auto &e : effects) {
        const Wave w = parseWave(readAll(e.file));
        ASSERT_EQ(w.format, 1) << e.file << " must be PCM";
        EXPECT_EQ(w.bits, 16) << e.file;
        ASSERT_GE(w.channels, 1) << e.file;
        ASSERT_GT(w.rate, 8000) << e.file;
        const double seconds = double(w.samples.size()) / w.channels / w.rate;
        EXPECT_GE(seconds, e.minSeconds) << e.file;
        EXPECT_LE(seconds, e.maxSeconds) << e.file;
        int peak = 0;
        for (int16_t s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 32767 / 5) << e.file << " is too quiet";
        EXPECT_LT(peak, 32767) << e.file << " clips";
        ASSERT_FALSE(w.samples.empty());
        EXPECT_LT(std::abs(int(w.samples.front())), 300) << e.file << " starts with a click";
        EXPECT_LT(std::abs(int(w.samples.back())), 300) << e.file << " ends with a click";
    }
}

// Reads a standard MIDI file the way a player walks it; returns the length
// in seconds, or a negative value when the file is malformed.
double midiSeconds(const QByteArray &b, int &notesOn, int &notesOff)
{
    notesOn = notesOff = 0;
    if (b.size() < 14 || !b.startsWith("MThd") || be32(b, 4) != 6)
        return -1;
    const int tracks = uint8_t(b[10]) << 8 | uint8_t(b[11]);
    const int division = uint8_t(b[12]) << 8 | uint8_t(b[13]);
    if (division <= 0 || division & 0x8000)
        return -1;
    std::map<long, long> tempoAt{{0, 500000}};
    long lastTick = 0;
    int at = 14;
    for (int t = 0; t < tracks; ++t) {
        if (at + 8 > b.size() || b.mid(at, 4) != "MTrk")
            return -1;
        const int end = at + 8 + int(be32(b, at + 4));
        if (end > b.size())
            return -1;
        at += 8;
        long tick = 0;
        uint8_t status = 0;
        bool ended = false;
        while (at < end && !ended) {
            long delta = 0;
            for (int n = 0;; ++n) {
                if (at >= end || n > 3)
                    return -1;
                const uint8_t c = uint8_t(b[at++]);
                delta = delta << 7 | (c & 0x7F);
                if (!(c & 0x80))
                    break;
            }
            tick += delta;
            uint8_t c = uint8_t(b[at]);
            if (c & 0x80) {
                status = c;
                ++at;
            } else if (status == 0) {
                return -1;
            }
            if (status == 0xFF) {
                const uint8_t type = uint8_t(b[at++]);
                const int len = uint8_t(b[at++]);
                if (type == 0x51 && len == 3)
                    tempoAt[tick] = long(uint8_t(b[at])) << 16 | long(uint8_t(b[at + 1])) << 8 | uint8_t(b[at + 2]);
                ended = type == 0x2F;
                at += len;
            } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
                at += 1;
            } else if (status >= 0x80 && status < 0xF0) {
                const uint8_t vel = uint8_t(b[at + 1]);
                if ((status & 0xF0) == 0x90 && vel > 0)
                    ++notesOn;
                else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90)
                    ++notesOff;
                at += 2;
            } else {
                return -1;
            }
        }
        if (!ended || at != end)
            return -1;
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    double seconds = 0;
    long tick = 0, tempo = 500000;
    for (auto it = tempoAt.begin(); it != tempoAt.end() && it->first <= lastTick; ++it) {
        seconds += double(it->first - tick) * tempo / division / 1e6;
        tick = it->first;
        tempo = it->second;
    }
    return seconds + double(lastTick - tick) * tempo / division / 1e6;
}

TEST(Sounds, TopTenTuneIsAShortWellFormedMidiFile)
{
    int on = 0, off = 0;
    const double seconds = midiSeconds(readAll("good.mid"), on, off);
    ASSERT_GT(seconds, 0) << "malformed MIDI file";
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 8.0);
    EXPECT_GE(on, 8);
    EXPECT_EQ(on, off) << "every note must be released";
}

// --- Help ---------------------------------------------------------------------

// The sections that the windows, the menu's footer link and the About window
// open, in the order every language's page has them.
const QStringList HelpSections = {"playing", "scores", "settings", "keys", "about", "credits"};

QString helpFile(int language) { return QString("landora%1.html").arg(language); }

TEST(HelpFile, EveryLanguageHasEverySectionAndNoOutsideResources)
{
    const QRegularExpression sectionId("<section id=\"([^\"]+)\"");
    const QRegularExpression link("href=\"([^\"#]*)#?([^\"]*)\"");
    for (int language = 1; language <= landora::LanguageCount; ++language) {
        SCOPED_TRACE(helpFile(language).toStdString());
        const QString html = QString::fromUtf8(readAll(helpFile(language)));
        ASSERT_FALSE(html.isEmpty());
        QStringList sections;
        for (auto it = sectionId.globalMatch(html); it.hasNext();)
            sections << it.next().captured(1);
        EXPECT_EQ(sections.join(" ").toStdString(), HelpSections.join(" ").toStdString());
        // Every link lands: on a section of the page, or on another
        // language's page that ships beside it.
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const auto match = it.next();
            const QString file = match.captured(1);
            const QString target = match.captured(2);
            if (!file.isEmpty())
                EXPECT_TRUE(QFile::exists(Dataset + "/" + file)) << file.toStdString();
            else
                EXPECT_TRUE(html.contains("id=\"" + target + "\"")) << target.toStdString();
        }
        // Opened offline from the program folder: nothing may be fetched.
        EXPECT_FALSE(html.contains(QRegularExpression("<(script|link|img|iframe)\\b",
                                                      QRegularExpression::CaseInsensitiveOption)));
        EXPECT_FALSE(html.contains(QRegularExpression("(src|href)=\"(https?:)?//")));
        EXPECT_FALSE(html.contains("url(", Qt::CaseInsensitive));
        EXPECT_TRUE(html.contains("<kbd>F1</kbd>"));
    }
    // The name the program falls back to holds the English page.
    EXPECT_EQ(readAll("landora.html"), readAll(helpFile(landora::DefaultLanguage)));
    const QString english = QString::fromUtf8(readAll("landora.html"));
    EXPECT_TRUE(english.contains("counts double"));
    EXPECT_TRUE(english.contains("every wrong click is an answer"));
}

// A caption the help quotes must be what the player sees on the control, so
// each one is looked up among that language's interface texts; and the help
// must name the buttons of the main menu and of the exercise windows.
TEST(HelpFile, QuotedCaptionsAreTheInterfaceTextsOfTheirLanguage)
{
    landora::TextTable texts;
    texts.LoadTexts((Dataset + "/lang.crp").toStdString());
    const QRegularExpression caption("<span class=\"ui\">([^<]*)</span>");
    const int mustQuote[] = {1, 2, 3, 5, 18, 11, 12, 23, 8};
    for (int language = 1; language <= landora::LanguageCount; ++language) {
        SCOPED_TRACE(helpFile(language).toStdString());
        QSet<QString> interfaceTexts;
        for (int t = 1; t <= landora::TextCount; ++t)
            interfaceTexts.insert(landora::FromCp1252(texts.Text(language, t)));
        const QString html = QString::fromUtf8(readAll(helpFile(language)));
        QSet<QString> quoted;
        for (auto it = caption.globalMatch(html); it.hasNext();) {
            const QString text = it.next().captured(1);
            EXPECT_TRUE(interfaceTexts.contains(text))
                << "\"" << text.toStdString() << "\" is no interface text of this language";
            quoted.insert(text);
        }
        for (int t : mustQuote)
            EXPECT_TRUE(quoted.contains(landora::FromCp1252(texts.Text(language, t)))) << "text " << t << " is not quoted";
    }
}

}  // namespace
