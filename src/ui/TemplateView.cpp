#include "ui/TemplateView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "ui/DialogUnits.h"
#include "ui/MultiLineEdit.h"
#include "ui/PictureButtonWidget.h"
#include "ui/TemplateFont.h"

namespace marquill::ui {
namespace {

using wizard::ControlKind;
using wizard::ControlLayout;
using wizard::ControlState;
namespace style = wizard::style;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QStringList itemTexts(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        list.append(QString::fromStdString(item));
    return list;
}

// A button without a caption is a hot spot of its template's size on the dialog's surface.
class HotSpotWidget final : public QAbstractButton {
  public:
    explicit HotSpotWidget(QWidget* parent) : QAbstractButton(parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {}
};

void mirrorList(QListWidget& list, const ControlState& state) {
    const QStringList wanted = itemTexts(state.items);
    bool same = list.count() == wanted.size();
    for (int i = 0; same && i < list.count(); ++i)
        same = list.item(i)->text() == wanted[i];
    if (!same) {
        list.clear();
        list.addItems(wanted);
        // Long paths are elided in the middle; the whole text is the item's tip.
        for (int i = 0; i < list.count(); ++i)
            list.item(i)->setToolTip(wanted[i]);
    }
    for (int i = 0; i < list.count(); ++i) {
        const bool selected = std::binary_search(state.selection.begin(), state.selection.end(), i);
        if (list.item(i)->isSelected() != selected) list.item(i)->setSelected(selected);
    }
    if (const int first = state.selected(); first >= 0 && first < list.count()) {
        if (list.selectionMode() == QAbstractItemView::SingleSelection)
            list.setCurrentRow(first, QItemSelectionModel::NoUpdate);
        list.scrollToItem(list.item(first));
    }
}

void mirrorDropList(QComboBox& box, const ControlState& state) {
    const QStringList wanted = itemTexts(state.items);
    bool same = box.count() == wanted.size();
    for (int i = 0; same && i < box.count(); ++i)
        same = box.itemText(i) == wanted[i];
    if (!same) {
        box.clear();
        box.addItems(wanted);
    }
    const int selected = state.selected();
    box.setCurrentIndex(selected < box.count() ? selected : -1);
}

// Long paths have no blanks to wrap at; a zero-width space after each separator gives them some.
QString wrappable(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        out.append(c);
        if (c == u'/' || c == u'\\') out.append(QChar(0x200B));
    }
    return out;
}

}  // namespace

TemplateView::TemplateView(const wizard::DialogTemplate& dialog, const AssetFolder& assets,
                           QWidget& surface, ControlEvents events)
    : QObject(&surface), assets_(assets), surface_(surface), events_(std::move(events)) {
    surface_.setFont(templateFont(dialog.font, dialog.pointSize));
    surface_.setFixedSize(unitsToPixels(dialog.width), unitsToPixels(dialog.height));
    for (const ControlLayout& layout : dialog.controls)
        build(layout);
}

TemplateView::~TemplateView() = default;

QWidget* TemplateView::widget(int controlId) const {
    auto it = controls_.find(controlId);
    return it == controls_.end() ? nullptr : it->second.widget;
}

int TemplateView::idOf(QObject* object) const {
    auto it = ids_.find(object);
    return it == ids_.end() ? -1 : it->second;
}

void TemplateView::addToolTip(int controlId, const QString& tip) {
    if (QWidget* w = widget(controlId); w && w->toolTip().isEmpty()) w->setToolTip(tip);
}

void TemplateView::build(const ControlLayout& layout) {
    const QRect place = unitsToPixels(layout.x, layout.y, layout.w, layout.h);
    const QString caption = fromUtf8(layout.caption);
    QWidget* w = nullptr;
    switch (layout.kind) {
        case ControlKind::PictureButton:
            if (caption.isEmpty())
                w = new HotSpotWidget(&surface_);
            else
                w = new PictureButtonWidget(caption, loadPictureSet(assets_, layout.picture),
                                            place.size(), &surface_);
            break;
        case ControlKind::Button:
        case ControlKind::FlatButton:
        case ControlKind::ToggleButton: {
            auto* button = new QPushButton(caption, &surface_);
            button->setFlat(layout.kind == ControlKind::FlatButton);
            button->setCheckable(layout.kind == ControlKind::ToggleButton);
            button->setAutoDefault(false);
            if (layout.kind == ControlKind::FlatButton) {
                // A flat button with no edge reads as a label; the outline and the hand say it
                // can be pressed.
                button->setCursor(Qt::PointingHandCursor);
                button->setStyleSheet(QStringLiteral(
                    "QPushButton { color: white; border: 1px solid rgba(255, 255, 255, 160);"
                    " border-radius: 6px; padding: 1px 6px; background: transparent; }"
                    "QPushButton:hover { background: rgba(255, 255, 255, 50); }"
                    "QPushButton:pressed { background: rgba(120, 50, 0, 80); }"));
            } else if (layout.kind == ControlKind::ToggleButton) {
                button->setStyleSheet(QStringLiteral(
                    "QPushButton { color: rgb(90, 37, 0); background: rgb(255, 236, 170);"
                    " border: 1px solid rgb(128, 52, 0); border-radius: 6px; }"
                    "QPushButton:checked { color: white; background: rgb(150, 60, 0);"
                    " font-weight: bold; }"));
            }
            w = button;
            break;
        }
        case ControlKind::Label:
        case ControlKind::Text: {
            auto* label = new QLabel(caption, &surface_);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment((layout.has(style::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft) |
                                Qt::AlignTop);
            label->setWordWrap(layout.kind == ControlKind::Text);
            if (layout.has(style::kBordered)) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                label->setMargin(3);
            }
            w = label;
            break;
        }
        case ControlKind::Frame:
            w = new QFrame(&surface_);
            break;
        case ControlKind::DropList:
            w = new QComboBox(&surface_);
            break;
        case ControlKind::List: {
            auto* list = new QListWidget(&surface_);
            list->setSelectionMode(layout.has(style::kMultipleSelection)
                                       ? QAbstractItemView::MultiSelection
                                       : QAbstractItemView::SingleSelection);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setTextElideMode(Qt::ElideMiddle);
            list->setUniformItemSizes(true);
            w = list;
            break;
        }
        case ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, &surface_);
            slider->setPageStep(1);
            w = slider;
            break;
        }
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(&surface_);
            bar->setTextVisible(false);
            w = bar;
            break;
        }
        case ControlKind::Picture: {
            auto* label = new QLabel(&surface_);
            QPixmap picture = assets_.picture(layout.picture);
            // An icon comes at the desktop's largest size; the dialog shows it in its place.
            if (!picture.isNull() &&
                (picture.width() > place.width() || picture.height() > place.height()))
                picture =
                    picture.scaled(place.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            if (!picture.isNull()) label->setPixmap(picture);
            w = label;
            break;
        }
        case ControlKind::Edit:
            if (layout.has(style::kMultiLine)) {
                w = new MultiLineEdit(&surface_);
            } else {
                w = new QLineEdit(&surface_);
            }
            break;
    }
    w->setObjectName(QStringLiteral("control%1").arg(layout.id));
    w->setGeometry(place);
    if (auto* picture = qobject_cast<PictureButtonWidget*>(w)) picture->resize(picture->sizeHint());
    if (layout.kind == ControlKind::Picture) {
        auto* label = static_cast<QLabel*>(w);
        if (!label->pixmap().isNull())
            label->resize(label->pixmap().deviceIndependentSize().toSize());
    }
    if (layout.kind == ControlKind::Label && !layout.has(style::kCentred))
        w->resize(std::max(place.width(), w->sizeHint().width()), place.height());
    if (layout.has(style::kHidden)) w->hide();
    Control control{&layout, w};
    controls_[layout.id] = control;
    ids_[w] = layout.id;
    connectEvents(control);
}

void TemplateView::connectEvents(const Control& control) {
    const int controlId = control.layout->id;
    QWidget* w = control.widget;
    auto click = [this, controlId] {
        if (!mirroring_ && events_.clicked) events_.clicked(controlId);
    };
    if (auto* toggle = qobject_cast<QPushButton*>(w); toggle && toggle->isCheckable()) {
        connect(toggle, &QPushButton::clicked, this, [toggle, click] {
            // The model says whether the toggle is pressed; undo Qt's own toggling first.
            {
                QSignalBlocker block(toggle);
                toggle->setChecked(!toggle->isChecked());
            }
            click();
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, click);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        auto report = [this, list, controlId] {
            if (mirroring_ || !events_.selectionChanged) return;
            reportedInPress_ = true;
            std::vector<int> rows;
            for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
                rows.push_back(index.row());
            std::sort(rows.begin(), rows.end());
            events_.selectionChanged(controlId, std::move(rows));
        };
        connect(list, &QListWidget::itemSelectionChanged, this, report);
        if (list->selectionMode() == QAbstractItemView::SingleSelection) {
            // A click on the entry already selected is a choice as well: it is how a player asks
            // again for what that entry brings (the textures of a body, say).
            list->viewport()->installEventFilter(this);
            connect(list, &QAbstractItemView::pressed, this, [this, report] {
                if (!reportedInPress_) report();
            });
        }
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        connect(box, &QComboBox::activated, this, [this, controlId](int index) {
            if (!mirroring_ && events_.selectionChanged)
                events_.selectionChanged(controlId, {index});
        });
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        connect(slider, &QSlider::valueChanged, this, [this, controlId](int position) {
            if (!mirroring_ && events_.sliderMoved) events_.sliderMoved(controlId, position);
        });
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        connect(line, &QLineEdit::textEdited, this, [this, controlId](const QString& text) {
            if (!mirroring_ && events_.edited) events_.edited(controlId, toUtf8(text));
        });
        line->installEventFilter(this);
    } else if (auto* text = qobject_cast<MultiLineEdit*>(w)) {
        connect(text, &MultiLineEdit::edited, this, [this, controlId](const std::string& value) {
            if (!mirroring_ && events_.edited) events_.edited(controlId, value);
        });
        text->installEventFilter(this);
    } else if (control.layout->has(style::kNotify)) {
        w->installEventFilter(this);
    }
}

bool TemplateView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && ids_.count(watched) == 0) {
        // A list's viewport: what the press changes is reported before its `pressed` signal.
        reportedInPress_ = false;
        return QObject::eventFilter(watched, event);
    }
    const int controlId = idOf(watched);
    if (controlId < 0) return QObject::eventFilter(watched, event);
    const bool edit = controls_.at(controlId).layout->kind == ControlKind::Edit;
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            if (edit && events_.focusChanged)
                events_.focusChanged(controlId, event->type() == QEvent::FocusIn);
            break;
        case QEvent::MouseButtonPress:
            if (!edit) {
                if (events_.clicked) events_.clicked(controlId);
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void TemplateView::fitTexts() {
    for (const auto& [controlId, control] : controls_) {
        auto* label = qobject_cast<QLabel*>(control.widget);
        if (!label || !label->wordWrap() || control.layout->has(style::kHidden)) continue;
        const int extra = label->heightForWidth(label->width()) - label->height();
        if (extra <= 0) continue;
        const int oldBottom = label->y() + label->height();
        label->resize(label->width(), label->height() + extra);
        for (const auto& [otherId, other] : controls_)
            if (other.widget != label && other.widget->y() >= oldBottom)
                other.widget->move(other.widget->x(), other.widget->y() + extra);
        surface_.setFixedSize(surface_.width(), surface_.height() + extra);
    }
}

void TemplateView::mirrorAll(const wizard::ControlSet& controls) {
    mirroring_ = true;
    for (const auto& [controlId, control] : controls_)
        mirrorOne(control, controls.at(controlId));
    mirroring_ = false;
}

void TemplateView::mirror(const wizard::ControlSet& controls, const std::vector<int>& controlIds) {
    mirroring_ = true;
    for (int controlId : controlIds)
        if (auto it = controls_.find(controlId); it != controls_.end())
            mirrorOne(it->second, controls.at(controlId));
    mirroring_ = false;
}

void TemplateView::mirrorOne(const Control& control, const ControlState& state) {
    QWidget* w = control.widget;
    const ControlLayout& layout = *control.layout;
    const QString text = QString::fromStdString(state.text);
    QSignalBlocker block(w);
    switch (layout.kind) {
        case ControlKind::Button:
        case ControlKind::FlatButton:
        case ControlKind::ToggleButton: {
            auto* button = static_cast<QPushButton*>(w);
            if (button->text() != text) button->setText(text);
            if (button->isCheckable()) button->setChecked(state.pressed);
            break;
        }
        case ControlKind::Label:
        case ControlKind::Text: {
            auto* label = static_cast<QLabel*>(w);
            const QString shown = label->wordWrap() ? wrappable(text) : text;
            if (label->text() != shown) label->setText(shown);
            break;
        }
        case ControlKind::DropList:
            mirrorDropList(*static_cast<QComboBox*>(w), state);
            break;
        case ControlKind::List:
            mirrorList(*static_cast<QListWidget*>(w), state);
            break;
        case ControlKind::Slider: {
            auto* slider = static_cast<QSlider*>(w);
            slider->setRange(state.rangeMin, state.rangeMax);
            slider->setValue(state.position);
            slider->setTickPosition(state.tickFrequency > 0 ? QSlider::TicksBelow
                                                            : QSlider::NoTicks);
            slider->setTickInterval(state.tickFrequency);
            break;
        }
        case ControlKind::Progress: {
            auto* bar = static_cast<QProgressBar*>(w);
            bar->setRange(state.rangeMin, std::max(state.rangeMin, state.rangeMax));
            bar->setValue(state.position);
            break;
        }
        case ControlKind::Edit:
            if (auto* line = qobject_cast<QLineEdit*>(w)) {
                if (line->text() != text) line->setText(text);
                line->setMaxLength(state.textLimit > 0 ? state.textLimit : 32767);
            } else if (auto* edit = qobject_cast<MultiLineEdit*>(w)) {
                edit->setLimit(state.textLimit);
                edit->setModelText(state.text);
            }
            break;
        case ControlKind::PictureButton:
        case ControlKind::Frame:
        case ControlKind::Picture:
            break;
    }
    w->setEnabled(state.enabled);
    w->setVisible(state.visible && !layout.has(style::kHidden));
}

}  // namespace marquill::ui
