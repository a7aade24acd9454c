#pragma once

#include "controls/MessDlgLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Fixed text sizes: every character 7 pixels wide, lines 13 pixels high,
// greedy word wrapping at blanks, words wider than the line broken.
class FixedMeasurer : public cf::TDlgTextMeasurer {
public:
    cf::TSize Alphabet() override { return {52 * 7, 13}; }
    cf::TSize WrappedText(const std::string& text, int maxWidth) override
    {
        int perLine = std::max(1, maxWidth / 7);
        int widest = 0, lines = 0;
        size_t i = 0;
        while (i < text.size()) {
            int used = 0;
            // whole words while they fit; a word longer than a line is cut
            while (i < text.size()) {
                size_t end = text.find(' ', i);
                if (end == std::string::npos)
                    end = text.size();
                int word = int(end - i);
                int need = used == 0 ? word : used + 1 + word;
                if (need <= perLine) {
                    used = need;
                    i = end;
                    while (i < text.size() && text[i] == ' ')
                        ++i;
                    continue;
                }
                if (used == 0) {  // a word wider than the line
                    used = perLine;
                    i += size_t(perLine);
                }
                break;
            }
            widest = std::max(widest, used * 7);
            ++lines;
        }
        return {widest, lines * 13};
    }
    cf::TSize LineText(const std::string& text) override { return {int(text.size()) * 7, 13}; }
    int EditHeight() override { return 21; }
};

// The offscreen platform activates no window by itself.
inline void ActivateModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && QApplication::activeWindow() != modal) {
        QApplication::setActiveWindow(modal);
        QApplication::processEvents();
    }
}

// Sends each key to whatever has the focus once the modal loop runs.
inline void PressKeysLater(std::vector<int> keys)
{
    QTimer::singleShot(0, [keys] {
        for (int key : keys) {
            ActivateModal();
            QWidget* w = QApplication::focusWidget();
            if (!w)
                w = QApplication::activeModalWidget();
            if (!w)
                return;
            QString text = key == Qt::Key_Return ? QString("\r") : key == Qt::Key_Escape ? QString(QChar(27)) : QString();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            if (QWidget* now = QApplication::focusWidget())
                QApplication::sendEvent(now, &release);
        }
    });
}

// A safety net: closes any modal window left open, so a broken key path
// fails the test instead of hanging it.
inline void CloseModalsAfter(int ms)
{
    // Only while the test that asked is still running (all tests may share
    // one process, and one modal loop may outlive this one).
    const ::testing::TestInfo* asked = ::testing::UnitTest::GetInstance()->current_test_info();
    QTimer::singleShot(ms, [asked] {
        if (::testing::UnitTest::GetInstance()->current_test_info() != asked)
            return;
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}
