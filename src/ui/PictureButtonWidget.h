#pragma once
// A push button drawn with four pictures named by its caption: "U" up, "D" down, "F" focused,
// "X" disabled. It takes the size of its pictures. Without them it is a plainly drawn button with
// the caption, so that the window stays usable.
#include <QAbstractButton>
#include <QPixmap>
#include <string_view>

#include "ui/AssetFolder.h"

namespace marquill::ui {

struct PictureSet {
    QPixmap up, down, focused, disabled;
    [[nodiscard]] bool complete() const {
        return !up.isNull() && !down.isNull() && !focused.isNull() && !disabled.isNull();
    }
};

// `name` is the caption (any case): "NEXT" gives NEXTU, NEXTD, NEXTF and NEXTX.
[[nodiscard]] PictureSet loadPictureSet(const AssetFolder& assets, std::string_view name);

class PictureButtonWidget final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureButtonWidget)

  public:
    // `fallbackSize` is the template's size, used when there are no pictures.
    PictureButtonWidget(const QString& caption, PictureSet pictures, QSize fallbackSize,
                        QWidget* parent);

    [[nodiscard]] bool hasPictures() const { return pictures_.complete(); }
    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    [[nodiscard]] const QPixmap& currentPicture() const;

    PictureSet pictures_;
    QSize fallbackSize_;
};

}  // namespace marquill::ui
