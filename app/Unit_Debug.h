#pragma once

// The developer form: a log the receiver link can fill, and a button that
// writes the loaded satellites with their transponders into a database.

#include "platform/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace cf {
class TCfButton;
class TCfPanel;
class TLabel;
class TMemo;
} // namespace cf
class TMySQLServer;
class TMySQLDataset;

// Where the form's server settings are kept, under the configuration key.
// Missing values take the defaults below; no one's password is built in.
inline constexpr const char* DebugDbHostValue = "DebugDbHost";
inline constexpr const char* DebugDbPortValue = "DebugDbPort";
inline constexpr const char* DebugDbUserValue = "DebugDbUser";
inline constexpr const char* DebugDbPasswordValue = "DebugDbPassword";
inline constexpr const char* DebugDbNameValue = "DebugDbName";

class TForm_Debug : public cf::TForm {
public:
    explicit TForm_Debug(QWidget* owner = nullptr);
    ~TForm_Debug() override;

    cf::TCfPanel* CfPanel1 = nullptr;
    cf::TLabel* Label1 = nullptr;
    cf::TMemo* RE = nullptr;
    cf::TCfButton* Button1 = nullptr;
    std::unique_ptr<TMySQLServer> MySQLServer1;
    std::unique_ptr<TMySQLDataset> MySQLDataset1;

    void AddAline(const std::string& line);
    void Button1Click();
    // Reads the server settings from the configuration (defaults where missing).
    void LoadServerSettings();
};

extern TForm_Debug* Form_Debug;
