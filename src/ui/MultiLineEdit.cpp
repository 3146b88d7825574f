#include "ui/MultiLineEdit.h"

#include <algorithm>

#include <QTextCursor>

#include "celeb/LineBreaks.h"

namespace marquill::ui {
namespace {

// Characters as the model counts them: code points, a line break as CR LF.
int modelLength(const QString& shown) {
    int n = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i].isLowSurrogate()) continue;
        n += shown[i] == u'\n' ? 2 : 1;
    }
    return n;
}

QString shownForm(const std::string& modelText) {
    QString text = QString::fromStdString(modelText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

MultiLineEdit::MultiLineEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, &MultiLineEdit::contentsChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEdit::textChangedByPlayer);
}

void MultiLineEdit::setLimit(int characters) {
    limit_ = characters;
}

void MultiLineEdit::setModelText(const std::string& text) {
    const QString shown = shownForm(text);
    if (toPlainText() == shown) return;
    const QSignalBlocker quiet(this);
    setPlainText(shown);
}

std::string MultiLineEdit::modelText() const {
    return celeb::withCrLfLineBreaks(toPlainText().toStdString());
}

void MultiLineEdit::contentsChanged(int position, int /*removed*/, int added) {
    lastInsertEnd_ = position + added;
    lastInsertLength_ = added;
}

void MultiLineEdit::textChangedByPlayer() {
    if (trimming_) return;
    int excess = limit_ > 0 ? modelLength(toPlainText()) - limit_ : 0;
    if (excess > 0 && lastInsertLength_ > 0) {
        // Take back the end of what was just put in, as far as it passes the limit.
        const QString all = toPlainText();
        int end = std::min<int>(lastInsertEnd_, static_cast<int>(all.size()));
        int start = end;
        const int insertStart = std::max(0, end - lastInsertLength_);
        while (excess > 0 && start > insertStart) {
            --start;
            if (all[start].isLowSurrogate() && start > insertStart) --start;
            excess -= all[start] == u'\n' ? 2 : 1;
        }
        trimming_ = true;
        QTextCursor cut(document());
        cut.joinPreviousEditBlock();
        cut.setPosition(start);
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        cut.endEditBlock();
        trimming_ = false;
        QTextCursor at = textCursor();
        at.setPosition(start);
        setTextCursor(at);
    }
    lastInsertLength_ = 0;
    emit edited(modelText());
}

}  // namespace marquill::ui
