#pragma once
// Step 10's list drawn with who each celebrity is: the head snapshot (decoded through the image
// module) or the tool's own placeholder, the person's name and, below it, the file name the
// list holds. The list's items stay the file names the model gave.
#include <QPixmap>
#include <QStyledItemDelegate>
#include <functional>
#include <map>
#include <string>

#include "gamedata/CelebrityPackage.h"
#include "image/JpegDecoder.h"

namespace marquill::ui {

class CelebrityRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CelebrityRowDelegate)

  public:
    // The model's row for a list position, none past its end.
    using RowSource = std::function<const gamedata::CelebrityFileRow*(int row)>;
    static constexpr int kPictureSide = 44;

    CelebrityRowDelegate(RowSource rows, const image::JpegDecoder* decoder, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

    void setDecoder(const image::JpegDecoder* decoder) {
        decoder_ = decoder;
        pictures_.clear();
    }
    // The list was filled again: snapshots are read again when next drawn.
    void forgetPictures() { pictures_.clear(); }
    // The picture a row shows; whether it is the placeholder.
    [[nodiscard]] QPixmap picture(int row, bool* placeholder = nullptr) const;

  private:
    [[nodiscard]] const QPixmap& placeholder() const;

    RowSource rows_;
    const image::JpegDecoder* decoder_;
    mutable std::map<std::string, QPixmap> pictures_;  // by snapshot path; null: undecodable
    mutable QPixmap placeholder_;
};

}  // namespace marquill::ui
