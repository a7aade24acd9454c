#include "app/AppForms.h"
#include "app/Unit_Main.h"
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
        TAppForms forms;
        forms.Main().Show();
        result = app.exec();
    }
    return result;
}
