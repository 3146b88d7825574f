#pragma once
// Every dialog of the tool is orange with white text; lists, edits and drop lists keep their
// white fields so that what the player picks stays readable.
#include <QColor>

class QApplication;

namespace marquill::ui {

inline const QColor kDialogBackground{229, 123, 4};
inline const QColor kDialogText{255, 255, 255};

// Once, application-wide, before the first dialog is made.
void applyDialogColours(QApplication& app, const QColor& background = kDialogBackground,
                        const QColor& text = kDialogText);

}  // namespace marquill::ui
