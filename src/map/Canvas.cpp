#include "map/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data/Cp1252.h"
// The fast paths beside the plain operations: each gives the pixels of the
// plain definitions here and in LineWalk.h.
#include "map/CanvasFill.h"
#include "map/CanvasLines.h"
#include "map/LineWalk.h"

namespace landora {

using namespace canvas;

namespace {

// The brush of a thick pen: `width` pixels across, rounded at the corners.
// Offsets run from Lo to Hi around the pixel of the path; Span gives, for each
// brush row, the columns it covers.
struct PenBrush {
    int Lo = 0;
    int Hi = 0;
    std::vector<int> SpanLo;
    std::vector<int> SpanHi;

    explicit PenBrush(int width)
    {
        Lo = -(width - 1) / 2;
        Hi = width / 2;
        const double c = (Lo + Hi) / 2.0;
        const double r2 = (width / 2.0) * (width / 2.0);
        for (int dy = Lo; dy <= Hi; ++dy) {
            int lo = Hi + 1;
            int hi = Lo - 1;
            for (int dx = Lo; dx <= Hi; ++dx) {
                if ((dx - c) * (dx - c) + (dy - c) * (dy - c) <= r2 + 1e-9) {
                    lo = std::min(lo, dx);
                    hi = std::max(hi, dx);
                }
            }
            SpanLo.push_back(lo);
            SpanHi.push_back(hi);
        }
    }
};

// The 4-connected scanline seed fill: `inside` tells whether a pixel still
// belongs to the region, `set` fills it and must make `inside` false for it.
// Each row segment is filled once; its neighbours are looked at only beyond
// the segment's parent, so the fill reads each pixel a small constant number
// of times and never recurses.
template <typename Inside, typename Set>
void ScanlineFill(int width, int height, int x, int y, Inside inside, Set set)
{
    if (x < 0 || y < 0 || x >= width || y >= height || !inside(x, y))
        return;
    std::vector<Segment> stack;
    stack.reserve(256);
    auto push = [&](int py, int xl, int xr, int dy) {
        if (py + dy >= 0 && py + dy < height)
            stack.push_back({py, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Segment s = stack.back();
        stack.pop_back();
        const int dy = s.DY;
        const int row = s.Y + dy;
        const int x1 = s.XL;
        const int x2 = s.XR;
        int cx = x1;
        for (; cx >= 0 && inside(cx, row); --cx)
            set(cx, row);
        int left;
        if (cx >= x1) {
            // Nothing at x1: look for the next run inside the parent span.
            for (++cx; cx <= x2 && !inside(cx, row); ++cx) {
            }
            left = cx;
            if (cx > x2)
                continue;
        } else {
            left = cx + 1;
            if (left < x1)
                push(row, left, x1 - 1, -dy);
            cx = x1 + 1;
        }
        for (;;) {
            for (; cx < width && inside(cx, row); ++cx)
                set(cx, row);
            push(row, left, cx - 1, dy);
            if (cx > x2 + 1)
                push(row, x2 + 1, cx - 1, -dy);
            for (++cx; cx <= x2 && !inside(cx, row); ++cx) {
            }
            left = cx;
            if (cx > x2)
                break;
        }
    }
}

} // namespace

Canvas::Surface::Surface(QImage from) : image(std::move(from))
{
    Attach();
}

Canvas::Surface::Surface(Surface &&other) noexcept : image(std::move(other.image))
{
    Attach();
    other.image = QImage();
    other.Attach();
}

Canvas::Surface &Canvas::Surface::operator=(const Surface &other)
{
    if (this != &other) {
        image = other.image.copy();
        Attach();
    }
    return *this;
}

Canvas::Surface &Canvas::Surface::operator=(Surface &&other) noexcept
{
    if (this != &other) {
        image = std::move(other.image);
        Attach();
        other.image = QImage();
        other.Attach();
    }
    return *this;
}

void Canvas::Surface::Attach()
{
    bits = image.isNull() ? nullptr : reinterpret_cast<std::uint32_t *>(image.bits());
    stride = static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t);
    width = image.width();
    height = image.height();
}

namespace {

QImage WhiteImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    return image;
}

} // namespace

Canvas::Canvas(int width, int height) : px_(WhiteImage(width, height)) {}

void Canvas::Resize(int width, int height)
{
    regions_.Forget(); // the pixels are new
    px_ = Surface(WhiteImage(width, height));
}

void Canvas::SetPen(Colour colour, int width, PenMode mode)
{
    penColour_ = colour;
    SetPenWidth(width);
    penMode_ = mode;
}

void Canvas::SetFont(const std::string &family, double points)
{
    fontFamily_ = family;
    fontPoints_ = points;
    fontPixels_ = std::max(1, static_cast<int>(std::nearbyint(fontPoints_ * dpi_ / 72.0)));
}

void Canvas::SetDotsPerInch(double dotsPerInch)
{
    dpi_ = dotsPerInch > 0.0 ? dotsPerInch : 96.0;
    SetFont(fontFamily_, fontPoints_);
}

void Canvas::FillRect(int left, int top, int right, int bottom, Colour colour)
{
    Touch();
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width());
    bottom = std::min(bottom, Height());
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t value = ToPixel(colour);
    for (int y = top; y < bottom; ++y)
        FillSpan(Row(y) + left, static_cast<std::size_t>(right - left), value);
}

void Canvas::MoveTo(int x, int y)
{
    curX_ = x;
    curY_ = y;
}

void Canvas::PenPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    PenSpan(y, x, x);
}

void Canvas::PenSpan(int y, int x0, int x1)
{
    if (y < 0 || y >= Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width() - 1);
    if (x0 > x1)
        return;
    std::uint32_t *row = Row(y);
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy:
        FillSpan(row + x0, static_cast<std::size_t>(x1 - x0 + 1), Opaque | pen);
        break;
    case PenMode::Mask:
        for (int x = x0; x <= x1; ++x)
            row[x] = Opaque | (row[x] & pen);
        break;
    case PenMode::NotXor:
        for (int x = x0; x <= x1; ++x)
            row[x] = Opaque | (~(row[x] ^ pen) & RgbBits);
        break;
    }
}

void Canvas::LineTo(int x, int y)
{
    Touch();
    if (penWidth_ <= 1)
        ThinLine(curX_, curY_, x, y);
    else
        ThickLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void Canvas::Polyline(const CanvasPoint *points, std::size_t count)
{
    Touch();
    if (count == 0)
        return;
    MoveTo(points[0].X, points[0].Y);
    if (penWidth_ > 1) {
        for (std::size_t i = 1; i < count; ++i)
            LineTo(points[i].X, points[i].Y);
        return;
    }
    // The outlines of a map are thousands of lines a few pixels long: the
    // pen and its mode are worked out once for all of them.
    auto walk = [&](auto paint) {
        for (std::size_t i = 1; i < count; ++i) {
            PaintLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, points[i].X, points[i].Y, paint);
            curX_ = points[i].X;
            curY_ = points[i].Y;
        }
    };
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy: {
        const std::uint32_t value = Opaque | pen;
        for (std::size_t i = 1; i < count; ++i) {
            const int x1 = points[i].X;
            const int y1 = points[i].Y;
            if (!PaintShortLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, x1, y1, value))
                PaintLine(px_.bits, px_.stride, px_.width, px_.height, curX_, curY_, x1, y1, CopyPaint{value});
            curX_ = x1;
            curY_ = y1;
        }
        break;
    }
    case PenMode::Mask:
        walk(MaskPaint{pen});
        break;
    case PenMode::NotXor:
        walk(NotXorPaint{pen});
        break;
    }
}

void Canvas::ThinLine(int x0, int y0, int x1, int y1)
{
    if (y0 == y1 && x0 != x1) {
        // Along a row (the parallels of the grid): the pixels from x0
        // towards x1, end pixel excluded, as one span.
        PenSpan(y0, x0 < x1 ? x0 : x1 + 1, x0 < x1 ? x1 - 1 : x0);
        return;
    }
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    switch (penMode_) {
    case PenMode::Copy:
        if (!PaintShortLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, Opaque | pen))
            PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, CopyPaint{Opaque | pen});
        break;
    case PenMode::Mask:
        PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, MaskPaint{pen});
        break;
    case PenMode::NotXor:
        PaintLine(px_.bits, px_.stride, px_.width, px_.height, x0, y0, x1, y1, NotXorPaint{pen});
        break;
    }
}

void Canvas::ThickLine(int x0, int y0, int x1, int y1)
{
    // The brush is stamped on every pixel of the thin line; the union of the
    // stamps is painted row by row, each pixel once, so that the raster
    // modes combine a thick line with the surface exactly once as well.
    const PenBrush brush(penWidth_);
    const int h = Height();
    const int w = Width();
    std::vector<int> lo(static_cast<std::size_t>(h), 0);
    std::vector<int> hi(static_cast<std::size_t>(h), -1);
    int rowMin = h;
    int rowMax = -1;
    WalkLine(x0, y0, x1, y1, -brush.Hi, w - 1 - brush.Lo, -brush.Hi, h - 1 - brush.Lo, [&](int px, int py) {
        for (int dy = brush.Lo; dy <= brush.Hi; ++dy) {
            const int row = py + dy;
            if (row < 0 || row >= h)
                continue;
            const auto k = static_cast<std::size_t>(dy - brush.Lo);
            const int a = px + brush.SpanLo[k];
            const int b = px + brush.SpanHi[k];
            auto &l = lo[static_cast<std::size_t>(row)];
            auto &r = hi[static_cast<std::size_t>(row)];
            if (r < l) {
                l = a;
                r = b;
            } else {
                l = std::min(l, a);
                r = std::max(r, b);
            }
            rowMin = std::min(rowMin, row);
            rowMax = std::max(rowMax, row);
        }
    });
    for (int row = rowMin; row <= rowMax; ++row) {
        const auto k = static_cast<std::size_t>(row);
        if (hi[k] >= lo[k])
            PenSpan(row, lo[k], hi[k]);
    }
}

void Canvas::Rectangle(int left, int top, int right, int bottom)
{
    Touch();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left >= right || top >= bottom)
        return;
    // The pen runs along columns left..right-1 and rows top..bottom-1,
    // widened around that path by the pen width.
    const PenBrush brush(penWidth_);
    const int outerL = left + brush.Lo;
    const int outerR = right - 1 + brush.Hi;
    const int outerT = top + brush.Lo;
    const int outerB = bottom - 1 + brush.Hi;
    const int innerL = left + brush.Hi + 1;
    const int innerR = right - 1 + brush.Lo - 1;
    const int innerT = top + brush.Hi + 1;
    const int innerB = bottom - 1 + brush.Lo - 1;
    const bool hasInner = innerL <= innerR && innerT <= innerB;
    if (hasInner && brushSolid_)
        FillRect(innerL, innerT, innerR + 1, innerB + 1, brushColour_);
    const int firstRow = std::max(outerT, 0);
    const int lastRow = std::min(outerB, Height() - 1);
    for (int y = firstRow; y <= lastRow; ++y) {
        if (hasInner && y >= innerT && y <= innerB) {
            // The side edges, down all the rows between the top and bottom
            // edges at once: the map's frames run the height of the surface.
            const int last = std::min(innerB, lastRow);
            PenColumns(y, last, outerL, innerL - 1);
            PenColumns(y, last, innerR + 1, outerR);
            y = last;
        } else {
            PenSpan(y, outerL, outerR);
        }
    }
}

void Canvas::PenColumns(int y0, int y1, int x0, int x1)
{
    y0 = std::max(y0, 0);
    y1 = std::min(y1, Height() - 1);
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width() - 1);
    if (x0 > x1 || y0 > y1)
        return;
    const std::uint32_t pen = ToPixel(penColour_) & RgbBits;
    auto each = [&](auto paint) {
        for (int y = y0; y <= y1; ++y) {
            std::uint32_t *row = Row(y);
            for (int x = x0; x <= x1; ++x)
                row[x] = paint(row[x]);
        }
    };
    switch (penMode_) {
    case PenMode::Copy:
        each([pen](std::uint32_t) { return Opaque | pen; });
        break;
    case PenMode::Mask:
        each([pen](std::uint32_t p) { return Opaque | (p & pen); });
        break;
    case PenMode::NotXor:
        each([pen](std::uint32_t p) { return Opaque | (~(p ^ pen) & RgbBits); });
        break;
    }
}

void Canvas::Ellipse(int left, int top, int right, int bottom)
{
    Touch();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left >= right || top >= bottom)
        return;
    // Pixel centres inside the ellipse that fills the box belong to it; those
    // also inside the ellipse shrunk by the pen width are the brush's, the
    // rest the pen's.
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double ra = (right - left) / 2.0;
    const double rb = (bottom - top) / 2.0;
    const double ia = ra - penWidth_;
    const double ib = rb - penWidth_;
    auto span = [](double c, double r, double ny, int &from, int &to) {
        const double q = 1.0 - ny * ny;
        if (q < 0.0 || r <= 0.0) {
            from = 1;
            to = 0;
            return;
        }
        const double half = r * std::sqrt(q);
        from = static_cast<int>(std::ceil(c - half - 0.5));
        to = static_cast<int>(std::floor(c + half - 0.5));
    };
    const Colour brush = brushColour_;
    for (int y = std::max(top, 0); y < std::min(bottom, Height()); ++y) {
        const double yc = y + 0.5;
        int oFrom, oTo;
        span(cx, ra, (yc - cy) / rb, oFrom, oTo);
        oFrom = std::max(oFrom, left);
        oTo = std::min(oTo, right - 1);
        if (oFrom > oTo)
            continue;
        int iFrom = 1, iTo = 0;
        if (ia > 0.0 && ib > 0.0)
            span(cx, ia, (yc - cy) / ib, iFrom, iTo);
        if (iFrom > iTo) {
            PenSpan(y, oFrom, oTo);
            continue;
        }
        iFrom = std::max(iFrom, oFrom + 1);
        iTo = std::min(iTo, oTo - 1);
        if (iFrom > iTo) {
            PenSpan(y, oFrom, oTo);
            continue;
        }
        PenSpan(y, oFrom, iFrom - 1);
        PenSpan(y, iTo + 1, oTo);
        if (brushSolid_)
            FillRect(iFrom, y, iTo + 1, y + 1, brush);
    }
}

void Canvas::SetPixel(int x, int y, Colour colour)
{
    Touch();
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    Row(y)[x] = ToPixel(colour);
}

Colour Canvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return InvalidColour;
    const std::uint32_t p = Row(y)[x];
    // A region with a colour noted shows that colour.
    if (regions_.AnyNoted() && p == regions_.Value()) {
        const int region = regions_.RegionAt(x, y);
        if (region >= 0 && regions_.Noted(region) != 0)
            return FromPixel(regions_.Noted(region));
    }
    return FromPixel(p);
}

void Canvas::Touch()
{
    regions_.WriteNoted();
    regions_.Forget();
}

void Canvas::FloodFill(int x, int y, Colour colour, FloodStyle style)
{
    const std::uint32_t target = ToPixel(colour);
    const std::uint32_t fill = ToPixel(brushColour_);
    if (style == FloodStyle::Surface) {
        // Filling a surface with its own colour changes nothing.
        if (fill != target) {
            if (regions_.Covers(px_.bits, target)) {
                // The region is known: its new colour is only noted, to be
                // written with the others in one pass. A seed of another
                // colour (also one whose region has a colour noted) fills
                // nothing, as below.
                if (x < 0 || y < 0 || x >= Width() || y >= Height() || Row(y)[x] != target)
                    return;
                const int region = regions_.RegionAt(x, y);
                if (region >= 0) {
                    if (regions_.Noted(region) == 0)
                        regions_.Note(region, fill);
                    return;
                }
                Touch(); // not the pixels it was built from
            } else {
                // Other regions are filled on the surface as it shows.
                regions_.WriteNoted();
                // Pixels of the indexed colour appear where none were.
                if (fill == regions_.Value())
                    regions_.Forget();
            }
            SurfaceFill(px_.bits, px_.stride, Width(), Height(), x, y, target, fill);
        }
        return;
    }
    Touch();
    // A border fill in the border colour: every filled pixel becomes border
    // and so stops belonging to the region.
    if (fill == target)
        BorderFill(px_.bits, px_.stride, Width(), Height(), x, y, target);
    else
        FloodFillVisited(x, y, target, fill);
}

void Canvas::IndexRegions(Colour colour)
{
    const std::uint32_t value = ToPixel(colour);
    if (regions_.Covers(px_.bits, value))
        return;
    Touch();
    regions_.Build(px_.bits, px_.stride, Width(), Height(), value);
}

void Canvas::FloodFillVisited(int x, int y, std::uint32_t border, std::uint32_t fill)
{
    // A border fill in another colour than the border: filled pixels still
    // differ from the border, so a mark per pixel says what is done.
    const int w = Width();
    std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(Height()), 0);
    auto px = [this](int cx, int cy) -> std::uint32_t & { return Row(cy)[cx]; };
    auto at = [&](int cx, int cy) -> std::uint8_t & {
        return done[static_cast<std::size_t>(cy) * static_cast<std::size_t>(w) + static_cast<std::size_t>(cx)];
    };
    ScanlineFill(
        w, Height(), x, y, [&](int cx, int cy) { return at(cx, cy) == 0 && px(cx, cy) != border; },
        [&](int cx, int cy) {
            at(cx, cy) = 1;
            px(cx, cy) = fill;
        });
}

namespace {

QFont LabelFont(const std::string &family, int pixels)
{
    QFont font(QString::fromStdString(family));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

TextSize Canvas::MeasureText(const std::string &text) const
{
    const QFontMetrics metrics(LabelFont(fontFamily_, fontPixels_));
    return {metrics.horizontalAdvance(FromCp1252(text)), metrics.height()};
}

void Canvas::TextOut(int x, int y, const std::string &text, Colour colour)
{
    Touch();
    const QFont font = LabelFont(fontFamily_, fontPixels_);
    const QFontMetrics metrics(font);
    QPainter painter(&px_.image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    painter.drawText(x, y + metrics.ascent(), FromCp1252(text));
    painter.end();
    px_.Attach();
}

} // namespace landora
