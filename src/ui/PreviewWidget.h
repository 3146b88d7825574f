#pragma once
// Shows the preview's frames: one image over the frame's own pixels, at the frame's density, so
// a screen of twice the density gets the frame's pixels one to one; only what changed is
// repainted. Drags and wheel turns are passed on for the wizard to act on.
#include <QImage>
#include <QWidget>

namespace marquill::wizard {
struct PreviewFrame;
}

namespace marquill::ui {

class PreviewWidget final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewWidget)

  public:
    explicit PreviewWidget(QWidget* parent);

    // A frame without pixels shows the dialog's orange. The pixels are read where they are
    // until the next frame.
    void showFrame(const wizard::PreviewFrame& frame);
    [[nodiscard]] bool showsFrame() const { return !image_.isNull(); }
    // The image painted: over the frame's own pixels, with the frame's density.
    [[nodiscard]] const QImage& image() const { return image_; }

  signals:
    void dragStarted();
    // Window units since the drag started, right positive.
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
    // Shown one to one: the image's size in window units is the widget's.
    [[nodiscard]] bool unscaled() const;

    QImage image_;
    bool dragging_ = false;
    int dragStartX_ = 0;
    int wheelRemainder_ = 0;
};

}  // namespace marquill::ui
