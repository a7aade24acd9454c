#pragma once

// The line edit inside every edit control. It owns no behaviour of its own:
// keys, typed characters, input-method text, pastes (shortcut, context menu,
// middle click) and drops are handed to the owning control first, and only
// what its filters let through reaches the text.

#include <QLineEdit>

class QMenu;

namespace cf {

class TCfCustomEdit;

class TCfNativeEdit : public QLineEdit {
public:
    TCfNativeEdit(TCfCustomEdit* owner, QWidget* parent);
    // The standard menu with Paste routed through the owner.
    QMenu* CreateContextMenu();
    // The last key event this edit did not want, which travels on to the
    // owning control and must not be filtered a second time there.
    const QKeyEvent* PassedOn = nullptr;
    // Shows every character as c (0: the text itself).
    void SetPasswordChar(char32_t c);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;

private:
    // Runs each character through the owner's key filter; the survivors.
    QString Filter(const QString& text);
    TCfCustomEdit* owner_;
};

} // namespace cf
