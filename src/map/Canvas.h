#pragma once
// The raster surface the map is painted on: a 32-bit RGB pixel buffer with
// the few drawing operations the map needs, each defined to the pixel so that
// the colour-guarded flood fills of the map stay exact.
//
// Rules that the map relies on:
// - A line never paints its end pixel; consecutive lines of a path therefore
//   never paint a pixel twice (width 1), which keeps the not-xor mode exact.
// - Rectangles and ellipses exclude their right and bottom edges: the box
//   (0, 0)-(W, H) outlines columns 0..W-1 and rows 0..H-1.
// - Text is drawn without antialiasing: every pixel keeps one of the colours
//   that were drawn.
// Colours cross the boundary as 0x00BBGGRR values.
#include <QImage>
#include <cstdint>
#include <string>

#include "data/Colour.h"
#include "map/RegionIndex.h"

namespace landora {

// How the pen combines with the pixel below: the pen colour replaces it, or
// pen AND pixel, or NOT(pen XOR pixel), bit by bit on the RGB bits.
enum class PenMode { Copy, Mask, NotXor };

// Flood fill styles: fill the region bounded by a colour, or the region that
// has a colour.
enum class FloodStyle { Border, Surface };

// What GetPixel gives for a position outside the surface.
inline constexpr Colour InvalidColour = 0xFFFFFFFFu;

// The size of a measured text, in pixels.
struct TextSize {
    int Width = 0;
    int Height = 0;
};

// A position on the surface, in pixels.
struct CanvasPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const CanvasPoint &) const = default;
};

class Canvas {
public:
    // A surface of width x height pixels, filled white.
    Canvas(int width, int height);

    int Width() const { return px_.width; }
    int Height() const { return px_.height; }
    // Changes the size; the contents become white.
    void Resize(int width, int height);

    // The pixels, for showing and saving (Format_RGB32). The canvas keeps
    // drawing into this buffer: a copy that must not change with it is taken
    // with QImage::copy().
    const QImage &Image() const
    {
        regions_.WriteNoted();
        return px_.image;
    }

    // ---- pen, brush and font ----
    void SetPen(Colour colour, int width, PenMode mode);
    void SetPenColour(Colour colour) { penColour_ = colour; }
    void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
    void SetPenMode(PenMode mode) { penMode_ = mode; }
    Colour PenColour() const { return penColour_; }
    int PenWidth() const { return penWidth_; }
    PenMode Mode() const { return penMode_; }

    // A solid brush of a colour, or no fill at all.
    void SetBrush(Colour colour)
    {
        brushColour_ = colour;
        brushSolid_ = true;
    }
    void SetNoFill() { brushSolid_ = false; }
    // Fills become solid again with the brush colour last set.
    void SetSolidFill() { brushSolid_ = true; }
    Colour BrushColour() const { return brushColour_; }
    bool BrushSolid() const { return brushSolid_; }

    // The text font: a family at a size in points, turned into pixels at the
    // surface's logical resolution (96 by default; a window on a dense screen
    // raises it so that labels keep their size on screen).
    void SetFont(const std::string &family, double points);
    void SetDotsPerInch(double dotsPerInch);
    double DotsPerInch() const { return dpi_; }
    int FontPixelSize() const { return fontPixels_; }

    // ---- surface operations ----
    // Fills columns left..right-1 and rows top..bottom-1 with a colour.
    void FillRect(int left, int top, int right, int bottom, Colour colour);
    void MoveTo(int x, int y);
    // A line with the pen from the current point to (x, y), without its end
    // pixel; (x, y) becomes the current point.
    void LineTo(int x, int y);
    // MoveTo the first point, then LineTo every further point in turn.
    void Polyline(const CanvasPoint *points, std::size_t count);
    int CurrentX() const { return curX_; }
    int CurrentY() const { return curY_; }
    // Outline with the pen, inside filled with the brush unless there is no
    // fill; right and bottom edges excluded.
    void Rectangle(int left, int top, int right, int bottom);
    // An ellipse inside the box, outlined with the pen and filled with the
    // brush unless there is no fill; right and bottom edges excluded.
    void Ellipse(int left, int top, int right, int bottom);
    void SetPixel(int x, int y, Colour colour);
    // InvalidColour outside the surface.
    Colour GetPixel(int x, int y) const;
    // Fills with the brush colour from (x, y): Border fills the 4-connected
    // region of pixels that are not `colour`; Surface the 4-connected region
    // of pixels that are `colour` (nothing when (x, y) has another colour).
    void FloodFill(int x, int y, Colour colour, FloodStyle style);
    // Prepares many surface fills of one colour (the land of a start
    // drawing): its regions are found in one pass, and until anything else is
    // drawn a surface fill of that colour writes its region's runs without
    // searching for them. The pixels come out exactly as without.
    void IndexRegions(Colour colour);
    // Writes the fills of indexed regions noted so far into the pixels (any
    // other drawing, and looking at the image, does so too).
    void WriteNotedFills() { regions_.WriteNoted(); }

    // Text in the current font, in Windows-1252 bytes.
    TextSize MeasureText(const std::string &text) const;
    // Draws the text in black with its top-left corner at (x, y); the
    // background is left as it is.
    void TextOut(int x, int y, const std::string &text, Colour colour = 0);

    // Pixel value conversions between Colour and the buffer's 0xffRRGGBB.
    static std::uint32_t ToPixel(Colour colour)
    {
        return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(colour)) << 16) |
               (static_cast<std::uint32_t>(GreenOf(colour)) << 8) | BlueOf(colour);
    }
    static Colour FromPixel(std::uint32_t pixel)
    {
        return RGB(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                   static_cast<std::uint8_t>(pixel));
    }

private:
    std::uint32_t *Row(int y) { return px_.bits + px_.stride * static_cast<std::size_t>(y); }
    const std::uint32_t *Row(int y) const { return px_.bits + px_.stride * static_cast<std::size_t>(y); }
    // One pen pixel, combined by the pen mode; clipped.
    void PenPixel(int x, int y);
    // Pen pixels x0..x1 of row y (clipped), each once.
    void PenSpan(int y, int x0, int x1);
    // The pen over columns x0..x1 of rows y0..y1 (clipped to the surface).
    void PenColumns(int y0, int y1, int x0, int x1);
    void ThinLine(int x0, int y0, int x1, int y1);
    void ThickLine(int x0, int y0, int x1, int y1);
    void FloodFillVisited(int x, int y, std::uint32_t border, std::uint32_t fill);
    // Before any drawing but a fill of indexed regions: the noted colours
    // are written and the index is dropped.
    void Touch();

    // The pixel buffer with the pointer the drawing writes through. A copy
    // of a canvas gets pixels of its own (sharing them would let one canvas
    // draw into the other's image, or into a buffer the other has let go),
    // and a canvas moved from is left with none.
    struct Surface {
        QImage image;
        std::uint32_t *bits = nullptr;
        std::size_t stride = 0;
        int width = 0;
        int height = 0;

        Surface() = default;
        explicit Surface(QImage from);
        Surface(const Surface &other) : Surface(other.image.copy()) {}
        Surface(Surface &&other) noexcept;
        Surface &operator=(const Surface &other);
        Surface &operator=(Surface &&other) noexcept;
        ~Surface() = default;
        // Takes the pixel pointer once the buffer is our own (after creation
        // and after any painter has worked on it).
        void Attach();
    };
    // Declared before the pixels: copying a canvas copies (and so writes)
    // the index's noted colours before the pixels are copied.
    RegionIndex regions_;
    Surface px_;
    Colour penColour_ = 0;
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    Colour brushColour_ = RGB(255, 255, 255);
    bool brushSolid_ = true;
    std::string fontFamily_ = "Arial";
    double fontPoints_ = 8.0;
    double dpi_ = 96.0;
    int fontPixels_ = 11;
    int curX_ = 0;
    int curY_ = 0;
};

} // namespace landora
