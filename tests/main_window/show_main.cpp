// show_main <folder> [about|debug|menu-serv|menu-list|menu-details|drag]: opens the
// program's windows on a settings folder as a user would see them after
// Open, for the screenshots; with "about" the About window is shown over the
// main window, with "debug" the developer form with a log, with "menu-..." the context menu of that list is opened on
// its selected row as a right click opens it; with "drag" a service is
// being dragged over the entries of the second bouquet, held above entry
// row 4, so the drop marker shows. Runs until killed.

#include "app/AppForms.h"
#include "app/Unit_About.h"
#include "app/Unit_Debug.h"
#include "app/Unit_Main.h"
#include "controls/MessDlgs.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QMouseEvent>
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
    const std::string what = argc > 2 ? argv[2] : "";
    if (what == "debug")
        QTimer::singleShot(300, [] {
            Form_Debug->Show();
            for (const auto& sat : Satellites)
                Form_Debug->AddAline(sat.PositionText + "  " + sat.Name);
        });
    if (what == "about")
        QTimer::singleShot(300, [] { Form_About->ShowModal(); });
    auto popup = [](TCfGrid* grid, cf::TPopupMenu* menu, int row) {
        QTimer::singleShot(300, [grid, menu, row] {
            grid->SetFocus();
            grid->SetSelectedRow(row);
            const cf::TRect r = grid->GetRowRect(row);
            const cf::TPoint at = grid->ClientToScreen(cf::TPoint(r.Left + 120, (r.Top + r.Bottom) / 2));
            menu->Popup(at.X, at.Y);
        });
    };
    if (what == "menu-serv")
        popup(main.LV_Serv, &main.Pop_Lv_Serv, 3);
    else if (what == "menu-list")
        popup(main.LV_TypeOfList, &main.Pop_Lv_TypeOfList, 1);
    else if (what == "menu-details")
        popup(main.LV_Details, &main.Pop_lvdetails, 4);
    else if (what == "drag")
        QTimer::singleShot(300, [&main] {
            main.LV_TypeOfList->SetSelectedRow(1);
            auto centre = [](TCfGrid* grid, int row) {
                const cf::TRect r = grid->GetRowRect(row);
                const cf::TPoint at = grid->ClientToScreen(cf::TPoint(r.Left + 120, (r.Top + r.Bottom) / 2));
                return QPoint(at.X, at.Y);
            };
            TCfGrid* from = main.LV_Serv;
            auto send = [from](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
                QMouseEvent e(type, QPointF(from->mapFromGlobal(global)), QPointF(global), button, held,
                              Qt::NoModifier);
                QApplication::sendEvent(from, &e);
            };
            const QPoint start = centre(from, 3);
            send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
            send(QEvent::MouseMove, start + QPoint(0, 8), Qt::NoButton, Qt::LeftButton);
            send(QEvent::MouseMove, centre(main.LV_Details, 4) + QPoint(0, -3), Qt::NoButton, Qt::LeftButton);
        });
    return app.exec();
}
