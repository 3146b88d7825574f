// Draws the tool's pictures: the button picture sets, the splash, the welcome and fame pictures
// and the icons, into the folder given on the command line. Bitmaps are opaque, so everything
// outside a button's face is the dialogs' orange.
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QString>
#include <cmath>
#include <cstdio>

namespace {

const QColor kDialogOrange(229, 123, 4);
QString gOut;

QFont captionFont(int pixelSize, bool bold = true) {
    QFont font(QStringLiteral("Comic Sans MS"));
    if (!QFontDatabase::families().contains(QStringLiteral("Comic Sans MS")))
        font = QFont(QStringLiteral("Comic Neue"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

bool save(const QImage& image, const QString& name) {
    QString path = gOut + QLatin1Char('/') + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QPainterPath starPath(QPointF centre, double outer, double inner, double turn = -M_PI / 2) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        double r = (i % 2 == 0) ? outer : inner;
        double a = turn + i * M_PI / 5;
        QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void paintStar(QPainter& p, QPointF centre, double outer, double glow = 0) {
    if (glow > 0) {
        QRadialGradient halo(centre, outer * (1 + glow));
        halo.setColorAt(0, QColor(255, 250, 200, 170));
        halo.setColorAt(1, QColor(255, 250, 200, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(centre, outer * (1 + glow), outer * (1 + glow));
    }
    QPainterPath star = starPath(centre, outer, outer * 0.45);
    QLinearGradient gold(centre - QPointF(outer, outer), centre + QPointF(outer, outer));
    gold.setColorAt(0, QColor(255, 245, 160));
    gold.setColorAt(0.5, QColor(255, 200, 40));
    gold.setColorAt(1, QColor(205, 120, 0));
    p.setBrush(gold);
    p.setPen(QPen(QColor(120, 60, 0), std::max(1.0, outer / 14), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(star);
}

void drawOutlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                      QColor fill, QColor outline, double width, int flags = Qt::AlignCenter) {
    QPainterPath path;
    QFontMetricsF metrics(font);
    QRectF bounds = metrics.boundingRect(box, flags, text);
    double x = bounds.left();
    if (flags & Qt::AlignHCenter) x = box.center().x() - metrics.horizontalAdvance(text) / 2;
    double y = bounds.top() + metrics.ascent();
    path.addText(QPointF(x, y), font, text);
    p.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

enum class ButtonState { Up, Down, Focused, Disabled };

QImage buttonPicture(const QString& caption, QSize size, ButtonState state) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kDialogOrange);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double radius = size.height() / 2.0 - 3;
    QRectF face(3, 3, size.width() - 8, size.height() - 8);
    if (state == ButtonState::Down) face.translate(2, 2);
    if (state != ButtonState::Down && state != ButtonState::Disabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 50, 0, 130));
        p.drawRoundedRect(face.translated(2.5, 3), radius, radius);
    }
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    QColor text(90, 37, 0);
    switch (state) {
        case ButtonState::Up:
        case ButtonState::Focused:
            shade.setColorAt(0, QColor(255, 249, 205));
            shade.setColorAt(0.45, QColor(255, 214, 90));
            shade.setColorAt(1, QColor(244, 168, 20));
            break;
        case ButtonState::Down:
            shade.setColorAt(0, QColor(240, 160, 20));
            shade.setColorAt(1, QColor(255, 205, 80));
            break;
        case ButtonState::Disabled:
            shade.setColorAt(0, QColor(236, 226, 210));
            shade.setColorAt(1, QColor(196, 184, 166));
            text = QColor(150, 136, 118);
            break;
    }
    QColor rim = state == ButtonState::Disabled ? QColor(160, 140, 120) : QColor(128, 52, 0);
    p.setBrush(shade);
    p.setPen(QPen(rim, 2));
    p.drawRoundedRect(face, radius, radius);
    if (state != ButtonState::Disabled) {
        // A soft highlight along the top gives the face its roundness.
        QRectF gloss(face.left() + radius * 0.6, face.top() + 3, face.width() - radius * 1.2,
                     face.height() * 0.38);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, 170));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawRoundedRect(gloss, gloss.height() / 2, gloss.height() / 2);
    }
    if (state == ButtonState::Focused) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 2.5, Qt::DotLine));
        p.drawRoundedRect(face.adjusted(4, 4, -4, -4), radius - 4, radius - 4);
    }
    QFont font = captionFont(static_cast<int>(size.height() * 0.48));
    p.setFont(font);
    p.setPen(text);
    p.drawText(face.adjusted(0, -1, 0, 0), Qt::AlignCenter, caption);
    return image;
}

void scatterStars(QPainter& p, QSize size, int count, quint32 seed) {
    QRandomGenerator random(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF at(random.bounded(size.width()), random.bounded(size.height()));
        double r = 1 + random.bounded(3.0);
        p.setBrush(QColor(255, 255, 230, 120 + random.bounded(120)));
        p.drawPath(starPath(at, r * 2, r * 0.8));
    }
}

void spotlight(QPainter& p, QPointF from, QPointF to, double width, QColor colour) {
    QPainterPath beam;
    QPointF dir = to - from;
    double len = std::hypot(dir.x(), dir.y());
    QPointF normal(-dir.y() / len, dir.x() / len);
    beam.moveTo(from + normal * 4);
    beam.lineTo(to + normal * width);
    beam.lineTo(to - normal * width);
    beam.lineTo(from - normal * 4);
    beam.closeSubpath();
    QLinearGradient light(from, to);
    colour.setAlpha(150);
    light.setColorAt(0, colour);
    colour.setAlpha(0);
    light.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPath(beam);
}

QImage splash() {
    const QSize size(666, 462);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 14, 70));
    sky.setColorAt(0.55, QColor(150, 40, 90));
    sky.setColorAt(1, QColor(240, 130, 20));
    p.fillRect(image.rect(), sky);
    scatterStars(p, size, 90, 180);
    spotlight(p, QPointF(40, size.height()), QPointF(260, 0), 70, QColor(255, 240, 190));
    spotlight(p, QPointF(size.width() - 40, size.height()), QPointF(420, 0), 70,
              QColor(255, 240, 190));
    paintStar(p, QPointF(333, 165), 105, 0.6);
    drawOutlinedText(p, QRectF(0, 14, size.width(), 40), QStringLiteral("The Pemms"),
                     captionFont(34), Qt::white, QColor(60, 20, 60), 6);
    drawOutlinedText(p, QRectF(0, 280, size.width(), 90), QStringLiteral("Marquill"),
                     captionFont(84), QColor(255, 226, 90), QColor(90, 30, 10), 10);
    drawOutlinedText(p, QRectF(0, 378, size.width(), 30),
                     QStringLiteral("Design your own celebrity"), captionFont(26, false), Qt::white,
                     QColor(90, 30, 10), 5);
    drawOutlinedText(p, QRectF(0, 420, size.width() - 20, 30), QStringLiteral("Kavor"),
                     captionFont(18), QColor(255, 240, 210), QColor(90, 30, 10), 4,
                     Qt::AlignRight | Qt::AlignVCenter);
    return image;
}

QImage welcome() {
    const QSize size(426, 296);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A stage: dark backdrop, red curtains on both sides, a red carpet leading to the star.
    QLinearGradient backdrop(0, 0, 0, size.height());
    backdrop.setColorAt(0, QColor(30, 10, 40));
    backdrop.setColorAt(1, QColor(90, 30, 60));
    p.fillRect(image.rect(), backdrop);
    scatterStars(p, size, 40, 132);
    spotlight(p, QPointF(213, -10), QPointF(213, 250), 120, QColor(255, 245, 200));
    QPainterPath carpet;
    carpet.moveTo(180, 200);
    carpet.lineTo(246, 200);
    carpet.lineTo(330, size.height());
    carpet.lineTo(96, size.height());
    carpet.closeSubpath();
    QLinearGradient red(0, 200, 0, size.height());
    red.setColorAt(0, QColor(150, 10, 20));
    red.setColorAt(1, QColor(210, 30, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(carpet);
    for (int side = 0; side < 2; ++side) {
        QPainterPath curtain;
        double x0 = side == 0 ? 0 : size.width();
        double dir = side == 0 ? 1 : -1;
        curtain.moveTo(x0, 0);
        curtain.lineTo(x0 + dir * 95, 0);
        curtain.cubicTo(x0 + dir * 60, 120, x0 + dir * 70, 200, x0 + dir * 40, size.height());
        curtain.lineTo(x0, size.height());
        curtain.closeSubpath();
        QLinearGradient folds(x0, 0, x0 + dir * 95, 0);
        for (int i = 0; i <= 6; ++i)
            folds.setColorAt(i / 6.0, i % 2 ? QColor(120, 0, 20) : QColor(200, 20, 40));
        p.setBrush(folds);
        p.drawPath(curtain);
    }
    QLinearGradient valance(0, 0, 0, 34);
    valance.setColorAt(0, QColor(210, 30, 40));
    valance.setColorAt(1, QColor(130, 0, 20));
    p.setBrush(valance);
    p.drawRect(0, 0, size.width(), 26);
    p.setBrush(QColor(240, 190, 60));
    for (int x = 6; x < size.width(); x += 16)
        p.drawEllipse(QPointF(x, 28), 4, 4);
    paintStar(p, QPointF(213, 105), 62, 0.7);
    return image;
}

QImage famePicture() {
    QImage image(QSize(46, 42), QImage::Format_RGB32);
    image.fill(kDialogOrange);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintStar(p, QPointF(23, 22.5), 20);
    return image;
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF disc(size * 0.03, size * 0.03, size * 0.94, size * 0.94);
    QRadialGradient back(disc.center(), size * 0.5);
    back.setColorAt(0, QColor(250, 160, 40));
    back.setColorAt(1, QColor(200, 90, 0));
    p.setPen(QPen(QColor(110, 40, 0), std::max(1.0, size / 40.0)));
    p.setBrush(back);
    p.drawRoundedRect(disc, size * 0.22, size * 0.22);
    paintStar(p, QPointF(size * 0.5, size * 0.53), size * 0.42);
    if (size >= 32) {
        QFont font = captionFont(static_cast<int>(size * 0.3));
        drawOutlinedText(p, QRectF(0, size * 0.38, size, size * 0.32), QStringLiteral("M"), font,
                         QColor(120, 40, 0), QColor(255, 250, 220), std::max(1.0, size / 32.0));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marquill-make-pictures FOLDER\n");
        return 2;
    }
    gOut = QString::fromLocal8Bit(argv[1]);
    struct Button {
        const char* name;
        const char* caption;
        QSize size;
    };
    // Navigation buttons fill their 75 x 23 unit slots; the interest and small-dialog buttons are
    // narrower so that OK and Cancel fit side by side.
    const Button buttons[] = {
        {"ABOUT", "About", {150, 46}},    {"BACK", "Back", {150, 46}},
        {"CREATE", "Create", {150, 46}},  {"HELP", "Help", {150, 46}},
        {"NEXT", "Next", {150, 46}},      {"QUIT", "Quit", {150, 46}},
        {"REPLACE", "Import", {150, 46}}, {"SAVE", "Save", {150, 46}},
        {"ADD", "Add", {120, 40}},        {"REMOVE", "Remove", {120, 40}},
        {"OK", "OK", {120, 40}},          {"CANCEL", "Cancel", {120, 40}},
    };
    const struct {
        ButtonState state;
        char suffix;
    } states[] = {{ButtonState::Up, 'U'},
                  {ButtonState::Down, 'D'},
                  {ButtonState::Focused, 'F'},
                  {ButtonState::Disabled, 'X'}};
    bool ok = true;
    for (const Button& b : buttons)
        for (const auto& s : states)
            ok &=
                save(buttonPicture(QString::fromLatin1(b.caption), b.size, s.state),
                     QString::fromLatin1(b.name) + QLatin1Char(s.suffix) + QStringLiteral(".bmp"));
    ok &= save(splash(), QStringLiteral("180.bmp"));
    ok &= save(welcome(), QStringLiteral("132.bmp"));
    ok &= save(famePicture(), QStringLiteral("199.bmp"));
    ok &= save(icon(256), QStringLiteral("ICON.png"));
    ok &= save(icon(32), QStringLiteral("ICONSMALL.png"));
    for (int size : {16, 32, 48, 64, 128, 256})
        ok &= save(icon(size), QStringLiteral("marquill-%1.png").arg(size));
    return ok ? 0 : 3;
}
