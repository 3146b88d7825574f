#pragma once
// Builds the controls of a dialog template on a widget, at two pixels per dialog unit, mirrors a
// model's control states into them and reports what the player does with them. It decides
// nothing: every change of a control's contents comes from the model.
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/AssetFolder.h"
#include "wizard/ControlState.h"
#include "wizard/DialogTemplate.h"

class QWidget;

namespace marquill::ui {

struct ControlEvents {
    std::function<void(int controlId)> clicked;
    std::function<void(int controlId, std::vector<int> selection)> selectionChanged;
    std::function<void(int controlId, int position)> sliderMoved;
    std::function<void(int controlId, std::string text)> edited;  // UTF-8
    std::function<void(int controlId, bool gained)> focusChanged;
};

class TemplateView final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TemplateView)

  public:
    // The controls become children of `surface`, which takes the template's font and size.
    TemplateView(const wizard::DialogTemplate& dialog, const AssetFolder& assets, QWidget& surface,
                 ControlEvents events);
    ~TemplateView() override;

    void mirrorAll(const wizard::ControlSet& controls);
    void mirror(const wizard::ControlSet& controls, const std::vector<int>& controlIds);
    // Null for an id the template lacks.
    [[nodiscard]] QWidget* widget(int controlId) const;
    // Grows every wrapped text that does not hold its text, moving what lies below it down and
    // the surface with it (the small dialogs' templates were drawn for shorter messages).
    void fitTexts();
    // The first tip registered for a control stays.
    void addToolTip(int controlId, const QString& tip);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Control {
        const wizard::ControlLayout* layout = nullptr;
        QWidget* widget = nullptr;
    };
    void build(const wizard::ControlLayout& layout);
    void connectEvents(const Control& control);
    void mirrorOne(const Control& control, const wizard::ControlState& state);
    [[nodiscard]] int idOf(QObject* object) const;

    const AssetFolder& assets_;
    QWidget& surface_;
    ControlEvents events_;
    std::map<int, Control> controls_;
    std::map<QObject*, int> ids_;
    bool mirroring_ = false;  // what the view sets itself is not reported back
    bool reportedInPress_ = false;
};

}  // namespace marquill::ui
