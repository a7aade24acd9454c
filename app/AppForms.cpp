#include "app/AppForms.h"

#include "app/LcUnit.h"
#include "app/Unit_About.h"
#include "app/MySQLLoginDialog.h"
#include "app/Unit_Debug.h"
#include "platform/Memo.h"
#include "app/Unit_ChDetails.h"
#include "app/Unit_Tp.h"
#include "app/Unit_compare.h"
#include "app/Unit_Xml.h"
#include "app/Unit_Main.h"
#include "app/Unit_Option.h"
#include "app/Unit_SelDir.h"
#include "controls/CfPanel.h"
#include "link/FolderNetworkHost.h"
#include "link/TransferFolder.h"
#include "link/Unit_Network.h"

using namespace cf;

TForm_SelDir* Form_SelDir = nullptr;
TForm_Network* Form_Network = nullptr;

TAppForms::TAppForms() : host_(std::make_unique<TFolderNetworkHost>())
{
    // The order of creation; the windows still to come take their places
    // between these: the list editor and the developer form after the folder
    // dialog, the service details before the link, the transponder editor
    // after it, compare and options (which translates all the others) last.
    main_ = std::make_unique<TForm_Main>();
    selDir_ = std::make_unique<TForm_SelDir>();
    Form_SelDir = selDir_.get();
    debug_ = std::make_unique<TForm_Debug>();
    InstallMySQLLoginDialog();
    xml_ = std::make_unique<TForm_Xml>();
    chDetails_ = std::make_unique<TForm_ChDetails>();
    network_ = std::make_unique<TForm_Network>(*host_);
    Form_Network = network_.get();
    tp_ = std::make_unique<TForm_Tp>();
    about_ = std::make_unique<TForm_About>();
    compare_ = std::make_unique<TForm_Compare>();

    TForm_Main& m = *main_;
    host_->OnRepaint = [&m] { m.Repaint(); };
    // The link's log replaces the developer form's whole text.
    host_->OnDebugLog = [this](const std::string& log) { debug_->RE->SetText(log); };
    m.Dialogs.Debug = [this] { debug_->Show(); };
    m.Dialogs.SelDir = [this](int tag) {
        selDir_->Tag = tag;
        return selDir_->ShowModal() == mrOk;
    };
    m.Dialogs.Network = [this] {
        if (network_->ShowModal() != mrOk)
            return false;
        OpenTransferFolder(*host_);
        return true;
    };
    m.Dialogs.About = [this] { about_->ShowModal(); };
    m.Dialogs.Tp = [this] { tp_->ShowModal(); };
    m.Dialogs.Compare = [this] { compare_->ShowModal(); };
    m.Dialogs.Xml = [this] { xml_->ShowModal(); };
    compare_->SelDir = [this] {
        selDir_->Tag = 0;
        return selDir_->ShowModal() == mrOk;
    };
    compare_->Link = [this] { return &network_->Link(); };
    m.ModifyService = [this](std::int32_t) { return chDetails_->ShowModal() == mrOk; };

    // Last, as its creation applies the stored language to all the others.
    option_ = std::make_unique<TForm_Option>();
    Form_Option = option_.get();
    TForm_Option& o = *option_;
    o.Registry = &m.Registry;
    o.TranslatedForms = {about_.get(), main_.get(), network_.get(), selDir_.get(), chDetails_.get(),
                         tp_.get(), compare_.get(), xml_.get(), debug_.get()};
    o.OnOptionsSaved = [&m] { m.SetGrid(); };
    o.SetVersionText = [&m](const std::string& name) { m.Panel_Version->SetCaption(name); };
    m.Dialogs.Option = [this] { option_->ShowModal(); };
    o.FormCreate();
}

TAppForms::~TAppForms()
{
    compare_.reset();
    Form_Compare = nullptr;
    // The module is released and message texts are the built-in ones again.
    DropLanguage();
    option_.reset();
    Form_Option = nullptr;
    about_.reset();
    Form_About = nullptr;
    tp_.reset();
    Form_Tp = nullptr;
    network_.reset();
    Form_Network = nullptr;
    debug_.reset();
    chDetails_.reset();
    Form_ChDetails = nullptr;
    xml_.reset();
    Form_Xml = nullptr;
    selDir_.reset();
    Form_SelDir = nullptr;
    main_.reset();
}
