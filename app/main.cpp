#include "app/AppForms.h"
#include "app/Unit_Main.h"
#include "app/Unit_Splash.h"
#include "controls/MessDlgs.h"
#include "platform/LargeMemory.h"

#include <QApplication>

int main(int argc, char** argv)
{
    cf::TuneAllocatorForLargeSets();
    QApplication app(argc, argv);
    cf::UseDialogMessages();
    int result = 0;
    {
        // Before any other window; it is gone before the message loop runs.
        TForm_Splash splash;
        splash.Splash();
    }
    {
        TAppForms forms;
        forms.Main().Show();
        result = app.exec();
    }
    return result;
}
