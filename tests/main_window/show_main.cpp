// show_main <folder> [about]: opens the program's windows on a settings
// folder as a user would see them after Open, for the screenshots; with
// "about" the About window is shown over the main window. Runs until killed.

#include "app/AppForms.h"
#include "app/Unit_About.h"
#include "app/Unit_Main.h"
#include "controls/MessDlgs.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QTimer>

#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    cf::UseDialogMessages();
    TAppForms forms;
    TForm_Main& main = forms.Main();
    main.setWindowState(Qt::WindowNoState);
    main.SetBounds(0, 0, 1270, 760);
    main.Show();
    if (argc > 1) {
        TheLoadDir = argv[1];
        if (VerFile())
            OpenFile();
    }
    if (argc > 2 && std::string(argv[2]) == "about")
        QTimer::singleShot(300, [] { Form_About->ShowModal(); });
    return app.exec();
}
