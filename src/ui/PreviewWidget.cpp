#include "ui/PreviewWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
#include <QWheelEvent>

#include "platform/soft3d/Surface.h"
#include "ui/DialogColours.h"

namespace marquill::ui {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    // The widget paints every pixel itself; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void PreviewWidget::setSurface(const platform::soft3d::Surface* surface) {
    surface_ = surface;
    image_ = QImage();
    using platform::soft3d::PixelFormat;
    // The device draws 0x00RRGGBB words, which is the layout of Qt's 32-bit RGB images; the
    // image reads the surface's pixels where they are.
    if (surface && surface->pixelFormat() == PixelFormat::xrgb8888() && surface->height() > 0)
        image_ =
            QImage(surface->row(0), static_cast<int>(surface->width()),
                   static_cast<int>(surface->height()), surface->pitch(), QImage::Format_RGB32);
    update();
}

void PreviewWidget::presented(const QRect& surfacePixels) {
    if (image_.isNull() || size() == image_.size()) return update(surfacePixels);
    // A widget laid out at another size than the surface shows it scaled.
    const QTransform toWidget =
        QTransform::fromScale(double(width()) / image_.width(), double(height()) / image_.height());
    update(toWidget.mapRect(QRectF(surfacePixels)).toAlignedRect());
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), kDialogBackground);
        return;
    }
    if (size() != image_.size()) return painter.drawImage(rect(), image_);
    // Most frames change only the person's part of the picture; copy no more than that.
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), image_, r);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    dragStartX_ = event->position().toPoint().x();
    setCursor(Qt::ClosedHandCursor);
    emit dragStarted();
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    emit dragged(event->position().toPoint().x() - dragStartX_);
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
}

void PreviewWidget::wheelEvent(QWheelEvent* event) {
    // 120 units a notch; touch pads send smaller steps that add up.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) emit wheelTurned(notches);
    event->accept();
}

}  // namespace marquill::ui
