#pragma once

// The program's windows, made once in a fixed order before the message loop
// runs (the main window first, so it becomes the main form) and freed in
// reverse order when it ends. Tests make the same set to drive the program
// as a user would.

#include <memory>

class TForm_Main;
class TForm_SelDir;
class TForm_Network;
class TForm_About;
class TForm_Debug;
class TForm_ChDetails;
class TForm_Tp;
class TForm_Compare;
class TForm_Xml;
class TForm_Option;
class TFolderNetworkHost;

extern TForm_SelDir* Form_SelDir;
extern TForm_Network* Form_Network;

class TAppForms {
public:
    TAppForms();
    ~TAppForms();
    TAppForms(const TAppForms&) = delete;
    TAppForms& operator=(const TAppForms&) = delete;

    TForm_Main& Main() { return *main_; }
    TForm_Option& Option() { return *option_; }

private:
    std::unique_ptr<TFolderNetworkHost> host_;
    std::unique_ptr<TForm_Main> main_;
    std::unique_ptr<TForm_SelDir> selDir_;
    std::unique_ptr<TForm_Debug> debug_;
    std::unique_ptr<TForm_Xml> xml_;
    std::unique_ptr<TForm_ChDetails> chDetails_;
    std::unique_ptr<TForm_Tp> tp_;
    std::unique_ptr<TForm_Compare> compare_;
    std::unique_ptr<TForm_Network> network_;
    std::unique_ptr<TForm_About> about_;
    std::unique_ptr<TForm_Option> option_;
};
