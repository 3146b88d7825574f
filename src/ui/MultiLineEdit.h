#pragma once
// The wizard's several-line edit (the description). The model holds its text as the game's edit
// controls do, with CR LF line breaks counted as two characters toward the limit; this edit shows
// plain Qt lines and converts at its boundary. What would pass the limit is refused where it is
// typed, so the text and the cursor stay put; a paste or a drop is cut to what still fits.
#include <QPlainTextEdit>
#include <string>

namespace marquill::ui {

class MultiLineEdit final : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit MultiLineEdit(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(MultiLineEdit)

    // 0: no limit.
    void setLimit(int characters);
    // The model's text (UTF-8, CR LF); the edit and its cursor are left alone when it already
    // shows that text.
    void setModelText(const std::string& text);
    [[nodiscard]] std::string modelText() const;

  signals:
    // The player changed the text; within the limit, in the model's form.
    void edited(const std::string& text);

  private:
    void contentsChanged(int position, int removed, int added);
    void textChangedByPlayer();

    int limit_ = 0;
    int lastInsertEnd_ = -1;  // where the last change's inserted text ends, in the document
    int lastInsertLength_ = 0;
    bool trimming_ = false;
};

}  // namespace marquill::ui
