#pragma once
// The wizard's window: the controls of its template, the preview over the preview area, and the
// window menu's items in a context menu (a desktop's own window menu cannot be extended). It
// forwards what the player does to the wizard model and shows what the model holds.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/AssetFolder.h"

namespace marquill::wizard {
class CMarquillDlg;
}
namespace marquill::image {
class JpegDecoder;
}

namespace marquill::ui {

class CelebrityRowDelegate;
class PreviewWidget;
class TemplateView;

class WizardDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WizardDialog)

  public:
    explicit WizardDialog(const AssetFolder& assets);
    ~WizardDialog() override;

    // Events go to `model` from now on; its controls are shown as they stand.
    void attach(wizard::CMarquillDlg& model);
    // No events go anywhere any more (the model is about to go).
    void detach() { model_ = nullptr; }
    [[nodiscard]] wizard::CMarquillDlg* model() const { return model_; }
    [[nodiscard]] TemplateView& view() { return *view_; }
    [[nodiscard]] PreviewWidget& preview() { return *preview_; }
    [[nodiscard]] QWidget* control(int controlId) const;

    void mirror(const std::vector<int>& controlIds);
    // A window-menu item (an empty text is a separator); choosing it calls the model's
    // systemMenu(command).
    void addSystemMenuItem(const QString& text, int command);
    // A context-menu item of the front end's own.
    void addMenuAction(const QString& text, std::function<void()> action);
    // Files dropped onto the window (local paths) go to `handler`.
    void setFilesDropped(std::function<void(const std::vector<std::string>&)> handler) {
        filesDropped_ = std::move(handler);
    }
    [[nodiscard]] CelebrityRowDelegate* celebrityRows() const { return celebrityRows_; }
    // The decoder of step 10's pictures, when not the module beside the program.
    void useJpegDecoder(std::unique_ptr<image::JpegDecoder> decoder);
    [[nodiscard]] const image::JpegDecoder* jpegDecoder() const { return decoder_.get(); }
    // The context menu as it would open now, for tests.
    [[nodiscard]] std::unique_ptr<class QMenu> makeContextMenu();

  public slots:
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void turnZoom(int notches);

    const AssetFolder& assets_;
    wizard::CMarquillDlg* model_ = nullptr;
    std::unique_ptr<TemplateView> view_;
    PreviewWidget* preview_ = nullptr;
    struct MenuItem {
        QString text;
        std::function<void()> action;
    };
    std::vector<MenuItem> menu_;
    bool screenWatched_ = false;
    std::unique_ptr<image::JpegDecoder> decoder_;
    CelebrityRowDelegate* celebrityRows_ = nullptr;
    std::function<void(const std::vector<std::string>&)> filesDropped_;
};

}  // namespace marquill::ui
