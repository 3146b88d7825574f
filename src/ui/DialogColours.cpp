#include "ui/DialogColours.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace marquill::ui {

void applyDialogColours(QApplication& app) {
    // One style on every desktop: the templates' places assume its control metrics, and a dark
    // desktop theme would otherwise turn the white fields black.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    QPalette palette = app.style()->standardPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, kDialogBackground);
        palette.setColor(group, QPalette::WindowText, kDialogText);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, kDialogBackground);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(255, 214, 170));
    app.setPalette(palette);
}

}  // namespace marquill::ui
