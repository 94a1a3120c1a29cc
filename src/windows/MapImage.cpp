#include "windows/MapImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "map/Canvas.h"

namespace landora {

TMapImage::TMapImage(QWidget *parent) : QWidget(parent), canvas_(std::make_unique<Canvas>(1, 1))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TMapImage::~TMapImage() = default;

double TMapImage::Ratio() const
{
    const double ratio = devicePixelRatioF();
    return ratio > 0.0 ? ratio : 1.0;
}

void TMapImage::FitCanvas()
{
    const double ratio = Ratio();
    const int w = std::max(1, static_cast<int>(std::lround(width() * ratio)));
    const int h = std::max(1, static_cast<int>(std::lround(height() * ratio)));
    if (canvas_->Width() != w || canvas_->Height() != h)
        canvas_->Resize(w, h);
    // Place labels are measured in points: a dense screen gets more dots per inch.
    canvas_->SetDotsPerInch(96.0 * ratio);
}

void TMapImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // One canvas pixel to one device pixel: the logical rectangle of the
    // control covers exactly the canvas's device pixels.
    const QImage &image = canvas_->Image();
    painter.drawImage(QRectF(0, 0, image.width() / Ratio(), image.height() / Ratio()), image);
}

void TMapImage::mousePressEvent(QMouseEvent *event)
{
    if (onMouseDown) {
        const double ratio = Ratio();
        const QPointF p = event->position() * ratio;
        onMouseDown(static_cast<int>(p.x()), static_cast<int>(p.y()), event->button());
    }
}

void TMapImage::mouseMoveEvent(QMouseEvent *event)
{
    // Movements stay in logical pixels: they place labels, not answers.
    if (onMouseMove) {
        const QPointF p = event->position();
        onMouseMove(static_cast<int>(p.x()), static_cast<int>(p.y()));
    }
}

} // namespace landora
