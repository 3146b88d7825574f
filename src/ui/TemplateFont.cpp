#include "ui/TemplateFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace marquill::ui {
namespace {

// The templates were drawn for about 1.6 pixels per dialog unit; at two pixels per unit the text
// grows by the same factor, so that captions fill their controls as they were meant to.
constexpr double kPointScale = 1.25;

}  // namespace

QString installedFamily(std::string_view family) {
    const QString wanted = QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
    const QStringList families = QFontDatabase::families();
    if (families.contains(wanted, Qt::CaseInsensitive)) return wanted;
    if (wanted.compare(QStringLiteral("Comic Sans MS"), Qt::CaseInsensitive) == 0 &&
        families.contains(QStringLiteral("Comic Neue"), Qt::CaseInsensitive))
        return QStringLiteral("Comic Neue");
    return QGuiApplication::font().family();
}

QFont templateFont(std::string_view family, int points) {
    QFont font(installedFamily(family));
    font.setPointSizeF(points * kPointScale);
    return font;
}

}  // namespace marquill::ui
