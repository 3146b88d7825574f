#pragma once
// What the front-end tests share: the wizard on a copy of the demo installation with the real Qt
// host and window, driven through its widgets, and an answerer for the modal dialogs it opens.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppEnvironment.h"
#include "content/TemplatePerson.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "image/ImageLibrary.h"
#include "platform/RandomSource.h"
#include "ui/QtWizardHost.h"
#include "ui/TemplateDialog.h"
#include "ui/WizardDialog.h"
#include "wizard/CMarquillDlg.h"
#include "wizard/ControlIds.h"
#include "wizard/WizardTestSupport.h"

namespace marquill::ui::testing {

namespace id = wizard::id;

using wizard::testing::RecordingSounds;

// Answers modal dialogs in the order they open, one handler each. A dialog no handler waits for
// is closed and recorded, so that a test fails instead of hanging.
class ModalAnswerer final : public QObject {
  public:
    using Handler = std::function<void(QWidget&)>;
    struct Seen {
        std::string dialog;  // the template's name, or the widget's class
        std::string caption;
        std::string text;
    };

    ModalAnswerer() {
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
        poll_.start(5);
    }
    void then(Handler handler) { handlers_.push_back(std::move(handler)); }
    [[nodiscard]] bool allAnswered() const { return handlers_.empty(); }

    std::vector<Seen> seen;
    std::vector<std::string> unexpected;

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool()) return;
        modal->setProperty("answered", true);
        Seen s{modal->metaObject()->className(), modal->windowTitle().toStdString(), {}};
        if (auto* d = qobject_cast<TemplateDialog*>(modal)) {
            s.dialog = std::string(d->model().dialogTemplate().name);
            for (int textId : {id::kMessageText, id::kPickerMessage})
                if (d->model().controls().contains(textId))
                    s.text = d->model().control(textId).text;
        }
        seen.push_back(s);
        if (handlers_.empty()) {
            unexpected.push_back(s.dialog + ": " + s.caption + ": " + s.text);
            QPointer<QWidget> w(modal);
            QTimer::singleShot(0, [w] {
                if (auto* d = qobject_cast<QDialog*>(w.data())) d->done(QDialog::Rejected);
            });
            return;
        }
        Handler handler = std::move(handlers_.front());
        handlers_.pop_front();
        handler(*modal);
    }

    QTimer poll_;
    std::deque<Handler> handlers_;
};

// Clicks a button of one of the tool's small dialogs.
inline ModalAnswerer::Handler pressButton(int controlId) {
    return [controlId](QWidget& modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        QWidget* button = dialog->control(controlId);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

// Types a file name into the save-file dialog and presses Enter; `folder` receives the folder
// the dialog opened in.
inline ModalAnswerer::Handler typeFileName(const QString& name, std::string* folder = nullptr) {
    return [name, folder](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        if (folder) *folder = dialog->directory().absolutePath().toStdString();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

// The demo installation, written once for the program; each rig copies it.
using preview::testing::demoGameFolder;

class GuiRig {
  public:
    // On the copy of the demo installation given as the game folder; with `discoverIn`, on
    // whatever the game discovery finds in that home instead (the copy is still written).
    explicit GuiRig(std::optional<platform::HomeFolders> discoverIn = std::nullopt)
        : host(AssetFolder(MARQUILL_BINARY_DIR "/src/cli/assets"), sounds),
          environment(discoverIn ? std::nullopt : std::optional<std::string>(game()),
                      discoverIn.value_or(platform::HomeFolders::under("/nonexistent-home")),
                      tool()) {
        std::filesystem::copy(demoGameFolder(), game(), std::filesystem::copy_options::recursive);
        std::string error;
        EXPECT_TRUE(
            content::writeTemplatePersonFile(tool() + "/" + content::kTemplateFileName, &error))
            << error;
        options.splash = false;
        options.import.backupRoot = backups();
        options.scene = [this](preview::PreviewHost& sceneHost, const std::string& folder,
                               character::LookSelection& look) {
            index = std::make_unique<fileindex::FolderIndex>(folder);
            types = std::make_unique<fileindex::FileTypeRegistry>(*index);
            if (!images) images = image::PictrixLibrary::load(MARQUILL_PICTRIX_MODULE);
            preview::PreviewEnvironment e;
            e.index = index.get();
            e.types = types.get();
            e.images = images.get();
            e.randomSeed = 7;
            e.look = &look;
            return std::make_unique<preview::PreviewScene>(
                sceneHost, folder, preview::kPreviewWidth, preview::kPreviewHeight, random,
                std::move(e));
        };
    }
    ~GuiRig() {
        window().hide();
        window().detach();
        host.setFrameTimer(0);
        dialog.reset();
        // A wizard that ended asked the application to quit; with no main loop running that
        // request would end every later modal loop at once. Let one main loop take it.
        if (host.exitCode()) {
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
            QCoreApplication::exec();
        }
    }
    GuiRig(const GuiRig&) = delete;
    GuiRig& operator=(const GuiRig&) = delete;

    [[nodiscard]] std::string game() const { return root.root() + "/game"; }
    [[nodiscard]] std::string tool() const {
        std::filesystem::create_directories(root.root() + "/tool");
        return root.root() + "/tool";
    }
    [[nodiscard]] std::string backups() const { return root.root() + "/backups"; }

    // The dialog's initialisation, the window shown, and the preview ready.
    [[nodiscard]] bool start() {
        dialog = std::make_unique<wizard::CMarquillDlg>(host, environment, random, options);
        window().attach(*dialog);
        if (!dialog->initDialog()) return false;
        window().show();
        dialog->activate(true);
        return QTest::qWaitFor([this] { return dialog->scene() && dialog->scene()->ready(); },
                               120000);
    }

    WizardDialog& window() { return host.window(); }
    wizard::CMarquillDlg& dlg() { return *dialog; }
    QWidget* control(int controlId) { return window().control(controlId); }
    template <class T>
    T* controlAs(int controlId) {
        return qobject_cast<T*>(control(controlId));
    }
    [[nodiscard]] std::string status() {
        return controlAs<QLabel>(id::kStatus)->text().toStdString();
    }
    [[nodiscard]] bool shows(int controlId) { return control(controlId)->isVisible(); }

    void click(int controlId) {
        QWidget* w = control(controlId);
        ASSERT_TRUE(w->isVisible()) << controlId;
        ASSERT_TRUE(w->isEnabled()) << controlId;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    // Clicks the rows of a list, as a player does (each click toggles a row of a list with
    // multiple selection).
    void clickRows(int listId, const std::vector<int>& rows) {
        auto* list = controlAs<QListWidget>(listId);
        ASSERT_NE(list, nullptr);
        for (int row : rows) {
            ASSERT_LT(row, list->count()) << listId;
            list->scrollToItem(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(row)).center());
        }
    }
    // Chooses an entry of a drop list with the keyboard.
    void chooseEntry(int listId, int entry) {
        auto* box = controlAs<QComboBox>(listId);
        ASSERT_NE(box, nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        if (entry == 0 && box->currentIndex() == 0) {
            QTest::keyClick(box, Qt::Key_Down);
            QTest::keyClick(box, Qt::Key_Up);
        }
    }
    [[nodiscard]] QStringList rows(int listId) {
        QStringList texts;
        auto* list = controlAs<QListWidget>(listId);
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    [[nodiscard]] std::vector<int> selectedRows(int listId) {
        std::vector<int> out;
        auto* list = controlAs<QListWidget>(listId);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected()) out.push_back(i);
        return out;
    }

    marquill::testing::TempTree root;
    RecordingSounds sounds;
    QtWizardHost host;
    app::AppEnvironment environment;
    platform::SeededRandom random{3};
    std::unique_ptr<fileindex::FolderIndex> index;
    std::unique_ptr<fileindex::FileTypeRegistry> types;
    std::unique_ptr<image::PictrixLibrary> images;
    wizard::WizardOptions options;
    std::unique_ptr<wizard::CMarquillDlg> dialog;
    ModalAnswerer answers;
};

}  // namespace marquill::ui::testing
