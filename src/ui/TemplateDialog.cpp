#include "ui/TemplateDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

#include "ui/TemplateView.h"
#include "wizard/ControlIds.h"

namespace marquill::ui {
namespace {

Qt::WindowFlags flagsFor(const wizard::DialogTemplate& dialog) {
    namespace ds = wizard::dialog_style;
    if (dialog.styles & ds::kBorderless) return Qt::Dialog | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dialog.styles & ds::kSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

}  // namespace

TemplateDialog::TemplateDialog(wizard::DialogModel& model, const AssetFolder& assets,
                               QWidget* parent)
    : QDialog(parent, flagsFor(model.dialogTemplate())), model_(model) {
    const wizard::DialogTemplate& dialog = model.dialogTemplate();
    setWindowTitle(QString::fromStdString(model.caption()));
    view_ = std::make_unique<TemplateView>(
        dialog, assets, *this,
        ControlEvents{[this](int controlId) {
                          model_.click(controlId);
                          afterEvent();
                      },
                      [this](int controlId, std::vector<int> selection) {
                          model_.select(controlId, selection);
                          afterEvent();
                      },
                      {},
                      {},
                      {}});
    view_->mirrorAll(model.controls());
    view_->fitTexts();
    if ((dialog.styles & wizard::dialog_style::kCentreOnScreen) || !parent) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    if (const int ms = model.autoCloseMs(); ms > 0)
        QTimer::singleShot(ms, this, [this] {
            model_.timeout();
            afterEvent();
        });
}

TemplateDialog::~TemplateDialog() = default;

QWidget* TemplateDialog::control(int controlId) const {
    return view_->widget(controlId);
}

int TemplateDialog::run() {
    if (!model_.result()) exec();
    return model_.result().value_or(static_cast<int>(wizard::DialogResult::Cancel));
}

void TemplateDialog::afterEvent() {
    view_->mirrorAll(model_.controls());
    setWindowTitle(QString::fromStdString(model_.caption()));
    if (auto result = model_.result()) done(*result);
}

void TemplateDialog::reject() {
    model_.escape();
    afterEvent();
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            model_.enter();
            afterEvent();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
    if (!model_.result()) {
        model_.close();
        afterEvent();
    }
    if (model_.result())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void TemplateDialog::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    model_.click(wizard::id::kBackground);
    afterEvent();
}

}  // namespace marquill::ui
