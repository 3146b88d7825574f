#include "ui/PictureButtonWidget.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <string>

namespace marquill::ui {

PictureSet loadPictureSet(const AssetFolder& assets, std::string_view name) {
    const std::string base(name);
    return {assets.picture(base + "U"), assets.picture(base + "D"), assets.picture(base + "F"),
            assets.picture(base + "X")};
}

PictureButtonWidget::PictureButtonWidget(const QString& caption, PictureSet pictures,
                                         QSize fallbackSize, QWidget* parent)
    : QAbstractButton(parent), pictures_(std::move(pictures)), fallbackSize_(fallbackSize) {
    setText(caption);
    setAccessibleName(caption);
    setFocusPolicy(Qt::StrongFocus);
    if (!pictures_.complete()) pictures_ = {};
    setFixedSize(sizeHint());
}

QSize PictureButtonWidget::sizeHint() const {
    if (!hasPictures()) return fallbackSize_;
    return pictures_.up.deviceIndependentSize().toSize();
}

const QPixmap& PictureButtonWidget::currentPicture() const {
    if (!isEnabled()) return pictures_.disabled;
    if (isDown()) return pictures_.down;
    if (hasFocus()) return pictures_.focused;
    return pictures_.up;
}

void PictureButtonWidget::paintEvent(QPaintEvent*) {
    if (hasPictures()) {
        QPainter painter(this);
        painter.drawPixmap(rect(), currentPicture());
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = text();
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace marquill::ui
