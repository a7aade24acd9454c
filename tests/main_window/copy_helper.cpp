// copy_helper <folder>: a second running copy of the program for the
// clipboard test. It opens the real main window on a settings folder and
// then reads commands, one a line, from its standard input:
//   copy <number> <number>...   selects those services in the service list
//                               and presses Ctrl-C there; answers "copied"
//   quit                        ends the program
// It keeps its event loop running meanwhile, so the desktop clipboard can
// fetch what it copied.

#include "app/AppForms.h"
#include "app/Unit_Main.h"
#include "controls/MessDlgs.h"
#include "platform/Keys.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>

#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    TAppForms forms;
    TForm_Main& main = forms.Main();
    main.setWindowState(Qt::WindowNoState);
    main.SetBounds(0, 0, 1000, 700);
    main.Show();
    TheLoadDir = argv[1];
    if (!VerFile() || !OpenFile())
        return 3;
    std::cout << "ready" << std::endl;

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[512];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            app.quit();
            return;
        }
        pending.append(buf, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            std::istringstream line(pending.substr(0, end));
            std::string word;
            line >> word;
            if (word == "quit") {
                app.quit();
                return;
            }
            if (word != "copy")
                continue;
            // The rows first, then a click on the first and Ctrl-clicks on
            // the others, as the user selects them.
            std::vector<int> rows;
            for (std::int32_t number; line >> number;)
                if (const int row = main.JumpToChNo(number); row >= 0)
                    rows.push_back(row);
            for (std::size_t i = 0; i < rows.size(); ++i)
                main.LV_Serv->SelectCell(1, rows[i], i == 0 ? 0u : static_cast<unsigned>(cf::ssCtrl));
            main.LV_Serv->SetFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
            QApplication::sendEvent(main.LV_Serv, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
            QApplication::sendEvent(main.LV_Serv, &release);
            std::cout << "copied" << std::endl;
        }
    });
    return app.exec();
}
