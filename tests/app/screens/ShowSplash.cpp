// Plays the start-up as the program does (the splash, then the alert box the
// main window pops) on a real display, for screenshots.sh:
//   show_splash <seconds> [alert server]
// Prints "alert" when the alert stands fully; quits after the seconds.

#include "app/Configuration.h"
#include "app/StartupAlert.h"
#include "app/Unit_Splash.h"
#include "controls/CfAlertWindow.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    if (argc > 2) {
        // The alert server to ask (the stand-in of screenshots.sh).
        cf::TRegistry reg;
        reg.OpenKey(ConfigurationKey, true);
        reg.WriteString("AlertServer", argv[2]);
        reg.Flush();
    }
    {
        TForm_Splash splash;
        splash.Splash();
    }
    auto alert = MakeMainAlert(nullptr);
    alert->OnPopup = [](cf::TCfAlertWindow*) {
        std::printf("alert\n");
        std::fflush(stdout);
    };
    PopStartupAlert(*alert, AlertText);
    alert->SetCloseDelay(60000);
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
