// The least a Qt program pays for what the wizard's preview does on its timer: a window of the
// wizard's size whose preview-sized child changes a figure-sized rectangle on every tick and
// repaints just that, with nothing drawn in 3D. Runs until killed.
// usage: gui_floor   (the timer follows the application's state: 10 ms active, 150 ms not)
#include <algorithm>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

// What the demo person covers at the first zoom: the rectangle the wizard repaints.
const QRect kFigure(108, 70, 116, 333);

class Preview final : public QWidget {
  public:
    explicit Preview(QWidget* parent) : QWidget(parent), image_(368, 508, QImage::Format_RGB32) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        image_.fill(QColor(228, 123, 4));
    }
    void tick() {
        shade_ = (shade_ + 1) & 0xFF;
        for (int y = kFigure.top(); y <= kFigure.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            std::fill(row + kFigure.left(), row + kFigure.right() + 1, qRgb(shade_, 80, 160));
        }
        update(kFigure);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        for (const QRect& r : event->region())
            painter.drawImage(r.topLeft(), image_, r);
    }

  private:
    QImage image_;
    int shade_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt floor"));
    window.setFixedSize(948, 630);
    window.setStyleSheet(QStringLiteral("background: rgb(229, 123, 4)"));
    Preview preview(&window);
    preview.setGeometry(560, 60, 368, 508);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &preview, &Preview::tick);
    auto follow = [&](Qt::ApplicationState state) {
        timer.start(state == Qt::ApplicationActive ? 10 : 150);
    };
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, follow);
    follow(app.applicationState());
    window.show();
    return app.exec();
}
