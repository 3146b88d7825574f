#include "ui/PreviewWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
#include <QWheelEvent>

#include "ui/DialogColours.h"
#include "wizard/PreviewFrame.h"

namespace marquill::ui {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    // The widget paints every pixel itself; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void PreviewWidget::showFrame(const wizard::PreviewFrame& frame) {
    const bool samePicture = !image_.isNull() && frame.pixels == image_.constBits() &&
                             frame.width == image_.width() && frame.height == image_.height() &&
                             frame.stride == image_.bytesPerLine() &&
                             frame.devicePixelRatio == image_.devicePixelRatio();
    if (!samePicture) {
        // The frame's words are 0x00RRGGBB, the layout of Qt's 32-bit RGB images; the image
        // reads them where they are.
        image_ = frame.pixels && frame.width > 0 && frame.height > 0
                     ? QImage(frame.pixels, frame.width, frame.height, frame.stride,
                              QImage::Format_RGB32)
                     : QImage();
        if (!image_.isNull()) image_.setDevicePixelRatio(frame.devicePixelRatio);
        update();
        return;
    }
    const QTransform toWidget =
        QTransform::fromScale(double(width()) / image_.width(), double(height()) / image_.height());
    for (const platform::soft3d::Rect& r : frame.changed)
        update(toWidget.mapRect(QRectF(r.left, r.top, r.width(), r.height())).toAlignedRect());
}

bool PreviewWidget::unscaled() const {
    return image_.deviceIndependentSize() == QSizeF(size());
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), kDialogBackground);
        return;
    }
    // A widget laid out at another size than the frame shows it scaled.
    if (!unscaled()) return painter.drawImage(QRectF(rect()), image_);
    // Most frames change only the person's part of the picture; copy no more than that, from
    // the frame's pixels at the frame's density.
    const double ratio = image_.devicePixelRatio();
    for (const QRect& r : event->region())
        painter.drawImage(
            QPointF(r.topLeft()), image_,
            QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
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
