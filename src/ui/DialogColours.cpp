#include "ui/DialogColours.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace marquill::ui {

void applyDialogColours(QApplication& app, const QColor& background, const QColor& text) {
    // One style on every desktop: the templates' places assume its control metrics, and a dark
    // desktop theme would otherwise turn the white fields black.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    QPalette palette = app.style()->standardPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, background);
    // Disabled text half-way between the text and the background.
    palette.setColor(
        QPalette::Disabled, QPalette::WindowText,
        QColor((text.red() + background.red()) / 2, (text.green() + background.green()) / 2,
               (text.blue() + background.blue()) / 2));
    app.setPalette(palette);
}

}  // namespace marquill::ui
