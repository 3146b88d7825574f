#pragma once
// One of the tool's small modal dialogs (message, confirmation, picker, About, splash) built from
// its model's template. The model answers every click and key; the dialog ends when the model
// holds a result.
#include <QDialog>
#include <memory>

#include "ui/AssetFolder.h"
#include "wizard/DialogModel.h"

namespace marquill::ui {

class TemplateView;

class TemplateDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TemplateDialog)

  public:
    TemplateDialog(wizard::DialogModel& model, const AssetFolder& assets, QWidget* parent);
    ~TemplateDialog() override;

    // Runs modally; the model's result (Cancel when it ended without one).
    [[nodiscard]] int run();
    [[nodiscard]] wizard::DialogModel& model() { return model_; }
    [[nodiscard]] QWidget* control(int controlId) const;

  public slots:
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void afterEvent();

    wizard::DialogModel& model_;
    std::unique_ptr<TemplateView> view_;
};

}  // namespace marquill::ui
