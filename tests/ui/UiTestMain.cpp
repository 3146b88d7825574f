// The front-end tests run on Qt's offscreen platform, one application for the whole program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLoggingCategory>

#include "ui/DialogColours.h"

// What the toolkit and the font and audio libraries under it keep until the process ends is not
// ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libQt6Core\n"
           "leak:libQt6Gui\n"
           "leak:libQt6Widgets\n"
           "leak:libQt6Multimedia\n"
           "leak:libglib\n"
           "leak:libgobject\n"
           "leak:libgst\n"
           "leak:libpulse\n"
           "leak:libdbus\n";
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No sound device in a test run; Qt Multimedia says so on every start.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    QApplication application(argc, argv);
    marquill::ui::applyDialogColours(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
