#pragma once

// The login dialog of the database components: server, port, user name and
// password, shown before a connect when the component asks for it.

#include "dbexport/MySQLServer.h"
#include "platform/Forms.h"

namespace cf {
class TCfButton;
class TCfEdit;
class TCfLabel;
} // namespace cf

class TMySQLLoginDialog : public cf::TForm {
public:
    explicit TMySQLLoginDialog(QWidget* owner = nullptr);

    cf::TCfLabel* Label_Server = nullptr;
    cf::TCfLabel* Label_Port = nullptr;
    cf::TCfLabel* Label_User = nullptr;
    cf::TCfLabel* Label_Password = nullptr;
    cf::TCfEdit* Edit_Server = nullptr;
    cf::TCfEdit* Edit_Port = nullptr;
    cf::TCfEdit* Edit_User = nullptr;
    cf::TCfEdit* Edit_Password = nullptr;
    cf::TCfButton* Button_OK = nullptr;
    cf::TCfButton* Button_Cancel = nullptr;

    // Shows the values; OK takes the four back and returns true.
    bool Execute(TMySQLLoginValues& values);
};

// Makes the database components ask through this dialog.
void InstallMySQLLoginDialog();
