#include "map/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data/Cp1252.h"

namespace landora {

namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;
constexpr std::uint32_t RgbBits = 0x00FFFFFFu;

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

// The pixels of a line from (x0, y0) towards (x1, y1), end pixel excluded:
// n = the larger of |dx| and |dy| steps; step i (0..n-1) lies at
// major = start + i, minor = start + floor((2 i |dminor| + n) / (2 n)),
// so the minor coordinate is rounded half away from the start. The steps
// whose pixel can touch the rectangle [xmin, xmax] x [ymin, ymax] are handed
// to `visit`; the rest are skipped without being walked.
template <typename Visit>
void WalkLine(int x0, int y0, int x1, int y1, int xmin, int xmax, int ymin, int ymax, Visit visit)
{
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const std::int64_t n = xMajor ? adx : ady;
    if (n == 0)
        return;
    const std::int64_t a = xMajor ? ady : adx; // minor extent
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t majMin = xMajor ? xmin : ymin;
    const std::int64_t majMax = xMajor ? xmax : ymax;
    const std::int64_t minMin = xMajor ? ymin : xmin;
    const std::int64_t minMax = xMajor ? ymax : xmax;

    // Steps whose major coordinate lies in range.
    std::int64_t iLo = 0;
    std::int64_t iHi = n - 1;
    if (sMajor > 0) {
        iLo = std::max(iLo, majMin - major0);
        iHi = std::min(iHi, majMax - major0);
    } else {
        iLo = std::max(iLo, major0 - majMax);
        iHi = std::min(iHi, major0 - majMin);
    }
    if (iLo > iHi)
        return;
    // Steps whose minor offset m(i) lies in [mLo, mHi]; m is non-decreasing.
    std::int64_t mLo = sMinor > 0 ? minMin - minor0 : minor0 - minMax;
    std::int64_t mHi = sMinor > 0 ? minMax - minor0 : minor0 - minMin;
    if (a == 0) {
        if (mLo > 0 || mHi < 0)
            return;
    } else {
        mLo = std::max<std::int64_t>(mLo, 0);
        if (mHi < mLo)
            return;
        // m(i) >= k  <=>  i >= (2nk - n) / (2a)
        auto firstWithAtLeast = [&](std::int64_t k) {
            const std::int64_t num = 2 * n * k - n;
            if (num <= 0)
                return std::int64_t{0};
            return (num + 2 * a - 1) / (2 * a);
        };
        iLo = std::max(iLo, firstWithAtLeast(mLo));
        iHi = std::min(iHi, firstWithAtLeast(mHi + 1) - 1);
        if (iLo > iHi)
            return;
    }
    for (std::int64_t i = iLo; i <= iHi; ++i) {
        const std::int64_t m = (2 * i * a + n) / (2 * n);
        const std::int64_t major = major0 + sMajor * i;
        const std::int64_t minor = minor0 + sMinor * m;
        if (xMajor)
            visit(static_cast<int>(major), static_cast<int>(minor));
        else
            visit(static_cast<int>(minor), static_cast<int>(major));
    }
}

struct Segment {
    int Y;
    int XL;
    int XR;
    int DY;
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

Canvas::Canvas(int width, int height) : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)
{
    image_.fill(0xFFFFFFFFu);
}

void Canvas::Resize(int width, int height)
{
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(0xFFFFFFFFu);
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
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width());
    bottom = std::min(bottom, Height());
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t value = ToPixel(colour);
    for (int y = top; y < bottom; ++y)
        std::fill(Row(y) + left, Row(y) + right, value);
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
        std::fill(row + x0, row + x1 + 1, Opaque | pen);
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
    if (penWidth_ <= 1)
        ThinLine(curX_, curY_, x, y);
    else
        ThickLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void Canvas::ThinLine(int x0, int y0, int x1, int y1)
{
    WalkLine(x0, y0, x1, y1, 0, Width() - 1, 0, Height() - 1, [this](int x, int y) { PenSpan(y, x, x); });
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
    for (int y = std::max(outerT, 0); y <= std::min(outerB, Height() - 1); ++y) {
        if (hasInner && y >= innerT && y <= innerB) {
            PenSpan(y, outerL, innerL - 1);
            PenSpan(y, innerR + 1, outerR);
        } else {
            PenSpan(y, outerL, outerR);
        }
    }
}

void Canvas::Ellipse(int left, int top, int right, int bottom)
{
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
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    Row(y)[x] = ToPixel(colour);
}

Colour Canvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return InvalidColour;
    return FromPixel(Row(y)[x]);
}

void Canvas::FloodFill(int x, int y, Colour colour, FloodStyle style)
{
    const std::uint32_t target = ToPixel(colour);
    const std::uint32_t fill = ToPixel(brushColour_);
    if (style == FloodStyle::Surface) {
        // Filling a surface with its own colour changes nothing.
        if (fill != target)
            FloodFillFast(x, y, target, true, fill);
        return;
    }
    if (fill == target)
        FloodFillFast(x, y, target, false, fill);
    else
        FloodFillVisited(x, y, target, fill);
}

void Canvas::FloodFillFast(int x, int y, std::uint32_t match, bool equal, std::uint32_t fill)
{
    // Every filled pixel stops belonging to the region (a surface fill in
    // another colour, or a border fill in the border colour), so the pixels
    // themselves tell what is done.
    uchar *bits = image_.bits();
    const auto stride = static_cast<std::size_t>(image_.bytesPerLine());
    auto px = [bits, stride](int cx, int cy) -> std::uint32_t & {
        return reinterpret_cast<std::uint32_t *>(bits + stride * static_cast<std::size_t>(cy))[cx];
    };
    if (equal)
        ScanlineFill(
            Width(), Height(), x, y, [&](int cx, int cy) { return px(cx, cy) == match; },
            [&](int cx, int cy) { px(cx, cy) = fill; });
    else
        ScanlineFill(
            Width(), Height(), x, y, [&](int cx, int cy) { return px(cx, cy) != match; },
            [&](int cx, int cy) { px(cx, cy) = fill; });
}

void Canvas::FloodFillVisited(int x, int y, std::uint32_t border, std::uint32_t fill)
{
    // A border fill in another colour than the border: filled pixels still
    // differ from the border, so a mark per pixel says what is done.
    const int w = Width();
    std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(Height()), 0);
    uchar *bits = image_.bits();
    const auto stride = static_cast<std::size_t>(image_.bytesPerLine());
    auto px = [bits, stride](int cx, int cy) -> std::uint32_t & {
        return reinterpret_cast<std::uint32_t *>(bits + stride * static_cast<std::size_t>(cy))[cx];
    };
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
    const QFont font = LabelFont(fontFamily_, fontPixels_);
    const QFontMetrics metrics(font);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    painter.drawText(x, y + metrics.ascent(), FromCp1252(text));
}

} // namespace landora
