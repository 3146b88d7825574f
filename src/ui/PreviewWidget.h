#pragma once
// Shows the preview scene's back buffer: one image over the surface's own pixels, painted when a
// frame was presented. Drags and wheel turns are passed on for the wizard to act on.
#include <QImage>
#include <QWidget>

namespace marquill::platform::soft3d {
class Surface;
}

namespace marquill::ui {

class PreviewWidget final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewWidget)

  public:
    explicit PreviewWidget(QWidget* parent);

    // Null, or a surface of another format than 32-bit RGB, shows the dialog's orange.
    void setSurface(const platform::soft3d::Surface* surface);
    [[nodiscard]] bool showsSurface() const { return !image_.isNull(); }
    [[nodiscard]] const platform::soft3d::Surface* surface() const { return surface_; }
    // The image painted: over the surface's own pixels.
    [[nodiscard]] const QImage& image() const { return image_; }
    // These pixels of the surface changed.
    void presented(const QRect& surfacePixels);

  signals:
    void dragStarted();
    // Pixels since the drag started, right positive.
    void dragged(int dx);
    // Wheel notches, away from the player positive.
    void wheelTurned(int notches);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    const platform::soft3d::Surface* surface_ = nullptr;
    QImage image_;
    bool dragging_ = false;
    int dragStartX_ = 0;
    int wheelRemainder_ = 0;
};

}  // namespace marquill::ui
