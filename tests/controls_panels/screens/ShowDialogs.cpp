// show_dialogs confirm|query|error [seconds]: shows one dialog in the
// editor's look and closes it after the given time, printing the result.

#include "controls/MessDlgs.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName("Chanforge");
    cf::RegisterProgramFonts();
    cf::SetApplicationDialogLook();
    std::string what = argc > 1 ? argv[1] : "confirm";
    int seconds = argc > 2 ? std::stoi(argv[2]) : 4;
    QTimer::singleShot(seconds * 1000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    if (what == "query") {
        std::string v = "Canale 5 & Co";
        bool ok = cf::InputQuery("Rinomina", "Nuovo nome del bouquet:", v);
        std::printf("%d %s\n", ok, v.c_str());
    } else if (what == "error") {
        int r = cf::MessageDlg("Impossibile aprire /media/hdd/" + std::string(120, 'x') + "/lamedb", cf::mtError,
                               {cf::mbOK});
        std::printf("%d\n", r);
    } else {
        int r = cf::MessageDlg("Eliminare i 3 canali selezionati da \"R&D Sport\"?", cf::mtConfirmation,
                               {cf::mbYes, cf::mbNo});
        std::printf("%d\n", r);
    }
    return 0;
}
