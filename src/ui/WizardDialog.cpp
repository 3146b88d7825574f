#include "ui/WizardDialog.h"

#include <algorithm>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSlider>
#include <QWindow>

#include "image/ImageLibrary.h"
#include "image/JpegDecoder.h"
#include "ui/CelebrityRowDelegate.h"
#include "ui/PreviewWidget.h"
#include "ui/TemplateView.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"

namespace marquill::ui {
namespace {

// The local files among dropped ones.
std::vector<std::string> droppedFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WizardDialog::WizardDialog(const AssetFolder& assets)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      assets_(assets) {
    const wizard::DialogTemplate& dialog = wizard::wizardDialogTemplate();
    setWindowTitle(fromUtf8(dialog.caption));
    auto forward = [this](auto&& call) {
        if (model_) call(*model_);
    };
    view_ = std::make_unique<TemplateView>(
        dialog, assets_, *this,
        ControlEvents{
            [forward](int controlId) { forward([&](auto& m) { m.click(controlId); }); },
            [forward](int controlId, std::vector<int> selection) {
                forward([&](auto& m) { m.listSelectionChanged(controlId, std::move(selection)); });
            },
            [forward](int controlId, int position) {
                forward([&](auto& m) { m.sliderMoved(controlId, position); });
            },
            [forward](int controlId, std::string text) {
                forward([&](auto& m) { m.editChanged(controlId, text); });
            },
            [forward](int controlId, bool gained) {
                forward([&](auto& m) { m.editFocus(controlId, gained); });
            },
        });
    QWidget* frame = view_->widget(wizard::id::kPreview);
    preview_ = new PreviewWidget(frame);
    preview_->setGeometry(0, 0, frame->width(), frame->height());
    preview_->setObjectName(QStringLiteral("preview"));
    connect(preview_, &PreviewWidget::dragStarted, this,
            [forward] { forward([](auto& m) { m.previewDragStarted(); }); });
    connect(preview_, &PreviewWidget::dragged, this,
            [forward](int dx) { forward([dx](auto& m) { m.previewDragged(dx); }); });
    connect(preview_, &PreviewWidget::wheelTurned, this, &WizardDialog::turnZoom);

    // Step 10's rows show who each celebrity is.
    decoder_ = image::JpegDecoder::load(image::PictrixLibrary::defaultModulePath());
    if (auto* list = qobject_cast<QListWidget*>(view_->widget(wizard::id::kCelebrityFiles))) {
        celebrityRows_ = new CelebrityRowDelegate(
            [this](int row) -> const gamedata::CelebrityFileRow* {
                if (!model_) return nullptr;
                const auto& rows = model_->import().celebrityFileRows();
                return row >= 0 && static_cast<size_t>(row) < rows.size()
                           ? &rows[static_cast<size_t>(row)]
                           : nullptr;
            },
            decoder_.get(), list);
        list->setItemDelegate(celebrityRows_);
        connect(list->model(), &QAbstractItemModel::rowsInserted, this,
                [this] { celebrityRows_->forgetPictures(); });
    }
    setAcceptDrops(true);
}

WizardDialog::~WizardDialog() = default;

void WizardDialog::attach(wizard::CMarquillDlg& model) {
    model_ = &model;
    view_->mirrorAll(model.controls());
}

QWidget* WizardDialog::control(int controlId) const {
    return view_->widget(controlId);
}

void WizardDialog::mirror(const std::vector<int>& controlIds) {
    if (model_) view_->mirror(model_->controls(), controlIds);
}

void WizardDialog::turnZoom(int notches) {
    auto* zoom = qobject_cast<QSlider*>(control(wizard::id::kZoom));
    if (zoom && zoom->isVisible() && zoom->isEnabled()) zoom->setValue(zoom->value() + notches);
}

void WizardDialog::addSystemMenuItem(const QString& text, int command) {
    if (text.isEmpty()) {
        menu_.push_back({});
        return;
    }
    menu_.push_back({text, [this, command] {
                         if (model_) model_->systemMenu(command);
                     }});
}

void WizardDialog::addMenuAction(const QString& text, std::function<void()> action) {
    menu_.push_back({text, std::move(action)});
}

std::unique_ptr<QMenu> WizardDialog::makeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const MenuItem& item : menu_) {
        if (item.text.isEmpty()) {
            if (!menu->isEmpty()) menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.text);
        connect(action, &QAction::triggered, this, item.action);
    }
    return menu;
}

void WizardDialog::contextMenuEvent(QContextMenuEvent* event) {
    auto menu = makeContextMenu();
    if (!menu->isEmpty()) menu->exec(event->globalPos());
}

void WizardDialog::useJpegDecoder(std::unique_ptr<image::JpegDecoder> decoder) {
    decoder_ = std::move(decoder);
    if (celebrityRows_) celebrityRows_->setDecoder(decoder_.get());
}

void WizardDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (filesDropped_ && !droppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void WizardDialog::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = droppedFiles(event->mimeData());
    if (!filesDropped_ || paths.empty()) return;
    event->acceptProposedAction();
    filesDropped_(paths);
}

void WizardDialog::reject() {
    if (model_) model_->escape();
}

void WizardDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (model_) model_->enter();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void WizardDialog::closeEvent(QCloseEvent* event) {
    // The model ends the dialog through its host when the player confirms.
    if (model_ && !model_->result()) model_->close();
    event->ignore();
}

void WizardDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle(); window && !screenWatched_) {
        screenWatched_ = true;
        connect(window, &QWindow::screenChanged, this, [this] {
            if (model_) model_->pixelRatioChanged(devicePixelRatioF());
        });
    }
    if (model_) {
        double largest = devicePixelRatioF();
        for (const QScreen* screen : QGuiApplication::screens())
            largest = std::max(largest, screen->devicePixelRatio());
        model_->largestPixelRatioKnown(largest);
        model_->pixelRatioChanged(devicePixelRatioF());
        model_->shown(true);
    }
}

void WizardDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (model_) model_->shown(false);
}

void WizardDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (model_) model_->moved();
}

}  // namespace marquill::ui
