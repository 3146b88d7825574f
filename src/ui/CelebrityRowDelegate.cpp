#include "ui/CelebrityRowDelegate.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "gamedata/SnapshotCheck.h"
#include "platform/Files.h"

namespace marquill::ui {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CelebrityRowDelegate::CelebrityRowDelegate(RowSource rows, const image::JpegDecoder* decoder,
                                           QObject* parent)
    : QStyledItemDelegate(parent), rows_(std::move(rows)), decoder_(decoder) {}

const QPixmap& CelebrityRowDelegate::placeholder() const {
    if (!placeholder_.isNull()) return placeholder_;
    // A head and shoulders in the dialog's orange on white.
    QPixmap p(kPictureSide, kPictureSide);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(229, 123, 4));
    const qreal s = kPictureSide;
    painter.drawEllipse(QRectF(s * 0.32, s * 0.12, s * 0.36, s * 0.40));
    QPainterPath shoulders;
    shoulders.moveTo(s * 0.12, s);
    shoulders.cubicTo(s * 0.14, s * 0.58, s * 0.86, s * 0.58, s * 0.88, s);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);
    painter.end();
    placeholder_ = p;
    return placeholder_;
}

QPixmap CelebrityRowDelegate::picture(int row, bool* isPlaceholder) const {
    if (isPlaceholder) *isPlaceholder = true;
    const gamedata::CelebrityFileRow* r = rows_ ? rows_(row) : nullptr;
    if (!r || !r->headSnapshot || !decoder_) return placeholder();
    auto [it, added] = pictures_.try_emplace(*r->headSnapshot);
    if (added) {
        auto bytes = platform::readWholeFile(*r->headSnapshot);
        std::optional<image::RgbImage> rgb;
        if (bytes && bytes->size() <= gamedata::kMaxSnapshotBytes)
            rgb = decoder_->decode(*bytes, static_cast<int32_t>(gamedata::kMaxSnapshotSide));
        if (rgb && rgb->wellFormed()) {
            const QImage image(rgb->pixels.data(), rgb->width, rgb->height, rgb->width * 3,
                               QImage::Format_RGB888);
            it->second = QPixmap::fromImage(image.scaled(
                kPictureSide, kPictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    if (it->second.isNull()) return placeholder();
    if (isPlaceholder) *isPlaceholder = false;
    return it->second;
}

QSize CelebrityRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), kPictureSide + 4));
    return size;
}

void CelebrityRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString fileName = item.text;
    item.text.clear();
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const QRect area = option.rect.adjusted(2, 2, -2, -2);
    const QPixmap pic = picture(index.row());
    const QRect picRect(area.left() + (kPictureSide - pic.width()) / 2,
                        area.top() + (area.height() - pic.height()) / 2, pic.width(), pic.height());
    painter->drawPixmap(picRect, pic);

    const gamedata::CelebrityFileRow* row = rows_ ? rows_(index.row()) : nullptr;
    const QString name = row && !row->displayName.empty() ? fromUtf8(row->displayName) : fileName;
    const QRect textArea = area.adjusted(kPictureSide + 6, 0, 0, 0);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    const QRect top(textArea.left(), textArea.top(), textArea.width(), textArea.height() / 2);
    painter->drawText(top, Qt::AlignLeft | Qt::AlignBottom,
                      QFontMetrics(bold).elidedText(name, Qt::ElideRight, top.width()));
    painter->setFont(option.font);
    const QRect bottom(textArea.left(), top.bottom() + 1, textArea.width(),
                       textArea.height() - top.height());
    painter->drawText(
        bottom, Qt::AlignLeft | Qt::AlignTop,
        QFontMetrics(option.font).elidedText(fileName, Qt::ElideMiddle, bottom.width()));
    painter->restore();
}

}  // namespace marquill::ui
