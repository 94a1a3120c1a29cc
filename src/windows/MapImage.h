#pragma once
// The picture control of the map window. It shows the map's canvas, which
// holds one canvas pixel per device pixel, so the map is sharp on a dense
// screen; clicks and movements are reported in canvas pixels.
#include <QWidget>
#include <functional>
#include <memory>

namespace landora {

class Canvas;

class TMapImage : public QWidget {
    Q_OBJECT

public:
    explicit TMapImage(QWidget *parent);
    ~TMapImage() override;

    Canvas *Surface() const { return canvas_.get(); }
    // Sizes the canvas to the control's size in device pixels.
    void FitCanvas();
    // Device pixels per logical pixel of this control.
    double Ratio() const;

    std::function<void(int x, int y, Qt::MouseButton button)> onMouseDown;
    // In logical pixels of the control.
    std::function<void(int x, int y)> onMouseMove;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    std::unique_ptr<Canvas> canvas_;
};

} // namespace landora
