// The main window's side of loading and saving a folder, and its view of the
// settings model.

#include "app/Unit_Main.h"

#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfPanel.h"

using namespace cf;

void TForm_Main::SetMainEnabled(bool enabled) { setEnabled(enabled); }

void TForm_Main::LoadStarting()
{
    // The filter boxes change while the set is read; none of that may refill.
    FillEnabled = false;
    Repaint();
}

void TForm_Main::FillLists()
{
    if (!RB_UB_TV->Checked())
        RB_UB_TV->SetChecked(true); // its change event shows the TV bouquets
    else
        FillListType();
    CB_Type->SetItemIndex(0);
    FillEnabled = true;
    ConditionFillChange();
}

void TForm_Main::LoadFinished(const std::string& caption)
{
    SetCaption(caption);
    if (LV_Serv->RowCount() > 0) {
        LV_Serv->ScrollToRow(0);
        if (LV_Serv->SelectedRow() < 0)
            SelectRowQuietly(*LV_Serv, 0);
    }
    LV_Serv->SetFocus();
}

void TForm_Main::LoadFailed()
{
    // The set from before the load is back in the model: show it again.
    FillSat();
    FillLists();
}

void TForm_Main::SaveStarting() { Repaint(); }

void TForm_Main::SaveFinished(const std::string& caption) { SetCaption(caption); }

void TForm_Main::VersionChanged(std::int32_t, const std::string& name, TListControl listControl)
{
    Panel_Version->SetCaption(name);
    CB_ListControl->SetItemIndex(0);
    if (listControl == TListControl::Show)
        CB_ListControl->SetVisible(true);
    else if (listControl == TListControl::Hide)
        CB_ListControl->SetVisible(false);
}

void TForm_Main::ModelReset()
{
    TypeRows.clear();
    DetailRows.clear();
    LV_Serv->ClearRows();
    ShowTypeRows();
    ShowDetailRows();
    ClearCutBuffers();
    ChannelBase = 0;
    Tx_No_Of_Item->SetText("0");
    Panel_List_Details->SetCaption(" 0 items");
    Panel_Dx_t->SetCaption(TypeListCaption(ShownListKind(), 0));
}
