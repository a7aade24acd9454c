#include "controls/CfNativeEdit.h"

#include "controls/CfEdit.h"
#include "platform/Clipboard.h"
#include "platform/Keys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QProxyStyle>

namespace cf {

namespace {

// The desktop's own look, except for the character a password is shown in:
// the line edit takes that from its style, never from the caller.
class PasswordCharStyle : public QProxyStyle {
public:
    char32_t Char = U'*';
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == QStyle::SH_LineEdit_PasswordCharacter)
            return int(Char);
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Text a middle click pastes: the primary selection where the desktop has
// one, otherwise the clipboard.
std::string MiddleClickText()
{
    QClipboard* cb = QGuiApplication::clipboard();
    if (cb && cb->supportsSelection())
        return cb->text(QClipboard::Selection).toStdString();
    return Clipboard().Text();
}

} // namespace

TCfNativeEdit::TCfNativeEdit(TCfCustomEdit* owner, QWidget* parent) : QLineEdit(parent), owner_(owner)
{
    setFrame(false);
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TCfNativeEdit::SetPasswordChar(char32_t c)
{
    if (c == 0) {
        setEchoMode(QLineEdit::Normal);
        return;
    }
    auto* style = findChild<PasswordCharStyle*>(QString(), Qt::FindDirectChildrenOnly);
    if (!style) {
        style = new PasswordCharStyle;
        style->setParent(this);
    }
    style->Char = c;
    // The line edit reads the character from its style when the style changes.
    if (QWidget::style() != style) {
        setStyle(style);
    } else {
        QEvent changed(QEvent::StyleChange);
        QApplication::sendEvent(this, &changed);
    }
    setEchoMode(QLineEdit::Password);
}

QString TCfNativeEdit::Filter(const QString& text)
{
    QString kept;
    for (char32_t ch : text.toUcs4()) {
        char32_t c = ch;
        owner_->EditKeyPress(c);
        if (c != 0)
            kept += QString::fromUcs4(&c, 1);
    }
    return kept;
}

void TCfNativeEdit::keyPressEvent(QKeyEvent* e)
{
    uint16_t vk = VirtualKeyOf(*e);
    TShiftState shift = ShiftStateOf(e->modifiers(), 0);
    if (vk != 0) {
        owner_->EditKeyDown(vk, shift);
        if (vk == 0) {
            e->accept();
            return;
        }
    }
    if (e->matches(QKeySequence::Paste)) {
        // Ctrl+V comes as character 22 before the edit pastes; Shift+Insert has none.
        if (e->key() == Qt::Key_V) {
            char32_t c = 22;
            owner_->EditKeyPress(c);
            if (c == 0) {
                e->accept();
                return;
            }
        }
        owner_->WMPaste();
        e->accept();
        return;
    }
    QString text = e->key() == Qt::Key_Delete ? QString() : e->text();
    if (!text.isEmpty()) {
        QString kept = Filter(text);
        if (kept.isEmpty()) {
            e->accept();
            return;
        }
        if (kept != text) {
            if (!isReadOnly())
                insert(kept);
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
    PassedOn = e->isAccepted() ? nullptr : e;
}

void TCfNativeEdit::keyReleaseEvent(QKeyEvent* e)
{
    uint16_t vk = VirtualKeyOf(*e);
    if (vk != 0 && !e->isAutoRepeat())
        owner_->EditKeyUp(vk, ShiftStateOf(e->modifiers(), 0));
    QLineEdit::keyReleaseEvent(e);
    PassedOn = e->isAccepted() ? nullptr : e;
}

void TCfNativeEdit::inputMethodEvent(QInputMethodEvent* e)
{
    QString commit = e->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    QString kept = Filter(commit);
    if (kept == commit) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(kept, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void TCfNativeEdit::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void TCfNativeEdit::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton) {
        if (!isReadOnly()) {
            setCursorPosition(cursorPositionAt(e->position().toPoint()));
            owner_->PasteText(MiddleClickText());
        }
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

QMenu* TCfNativeEdit::CreateContextMenu()
{
    // Our own menu, so that Paste is ours to route.
    auto* menu = new QMenu(this);
    bool writable = !isReadOnly();
    auto add = [&](const char* name, const QString& text, bool enabled, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("edit-undo", tr("&Undo"), writable && isUndoAvailable(), [this] { undo(); });
    add("edit-redo", tr("&Redo"), writable && isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    bool selected = hasSelectedText() && echoMode() == QLineEdit::Normal;
    add("edit-cut", tr("Cu&t"), writable && selected, [this] {
        Clipboard().SetText(selectedText().toStdString());
        del();
    });
    add("edit-copy", tr("&Copy"), selected, [this] { Clipboard().SetText(selectedText().toStdString()); });
    add("edit-paste", tr("&Paste"), writable && !Clipboard().Text().empty(), [this] { owner_->WMPaste(); });
    add("edit-delete", tr("Delete"), writable && hasSelectedText(), [this] { del(); });
    menu->addSeparator();
    add("select-all", tr("Select All"), !text().isEmpty(), [this] { selectAll(); });
    return menu;
}

void TCfNativeEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void TCfNativeEdit::dragEnterEvent(QDragEnterEvent* e)
{
    if (!isReadOnly() && e->mimeData()->hasText())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TCfNativeEdit::dragMoveEvent(QDragMoveEvent* e)
{
    if (!isReadOnly() && e->mimeData()->hasText()) {
        setCursorPosition(cursorPositionAt(e->position().toPoint()));
        e->acceptProposedAction();
    } else {
        e->ignore();
    }
}

void TCfNativeEdit::dropEvent(QDropEvent* e)
{
    if (isReadOnly() || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    setCursorPosition(cursorPositionAt(e->position().toPoint()));
    owner_->PasteText(e->mimeData()->text().toStdString());
    e->setDropAction(Qt::CopyAction);
    e->accept();
}

void TCfNativeEdit::focusInEvent(QFocusEvent* e)
{
    int caret = cursorPosition();
    QLineEdit::focusInEvent(e);
    // The line edit selects everything when tabbed into; without AutoSelect it must not.
    if (!owner_->AutoSelect && hasSelectedText())
        setCursorPosition(caret);
    owner_->DoEnter();
}

void TCfNativeEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    owner_->DoExit();
}

bool TCfNativeEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && owner_->WantTabs) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QLineEdit::event(e);
}

} // namespace cf
