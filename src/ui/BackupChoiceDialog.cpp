#include "ui/BackupChoiceDialog.h"

#include <QLabel>
#include <QListWidget>

#include "ui/DialogUnits.h"
#include "ui/PictureButtonWidget.h"
#include "ui/TemplateFont.h"

namespace marquill::ui {

BackupChoiceDialog::BackupChoiceDialog(const std::vector<std::string>& lines,
                                       const AssetFolder& assets, platform::SoundPlayer& sounds,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    // Laid out like the tool's own templates: dialog units, its font, its picture buttons.
    setWindowTitle(QStringLiteral("Undo an import"));
    setFont(templateFont("Comic Sans MS", 8));
    setFixedSize(unitsToPixels(290), unitsToPixels(160));

    auto* label = new QLabel(QStringLiteral("Choose the import to undo:"), this);
    label->setGeometry(unitsToPixels(10, 8, 270, 10));
    list_ = new QListWidget(this);
    list_->setGeometry(unitsToPixels(10, 20, 270, 100));
    for (const std::string& line : lines)
        list_->addItem(QString::fromStdString(line));
    if (list_->count() > 0) list_->setCurrentRow(0);

    const QSize buttonSize(unitsToPixels(75), unitsToPixels(23));
    auto* ok = new PictureButtonWidget(QStringLiteral("OK"), loadPictureSet(assets, "OK"),
                                       buttonSize, this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->move(unitsToPixels(65), unitsToPixels(128));
    auto* cancel = new PictureButtonWidget(QStringLiteral("Cancel"),
                                           loadPictureSet(assets, "CANCEL"), buttonSize, this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->move(unitsToPixels(150), unitsToPixels(128));

    connect(ok, &QAbstractButton::clicked, this, [this, &sounds] {
        if (list_->currentRow() < 0) return sounds.playNamed("DENIED");
        sounds.playNamed("CLICK");
        chosen_ = static_cast<size_t>(list_->currentRow());
        accept();
    });
    connect(list_, &QListWidget::itemDoubleClicked, ok, &QAbstractButton::click);
    connect(cancel, &QAbstractButton::clicked, this, [this, &sounds] {
        sounds.playNamed("CLICK");
        reject();
    });
}

std::optional<size_t> BackupChoiceChooser::choose(const std::vector<std::string>& lines) {
    BackupChoiceDialog dialog(lines, assets_, sounds_, parent_);
    dialog.exec();
    return dialog.chosen();
}

}  // namespace marquill::ui
