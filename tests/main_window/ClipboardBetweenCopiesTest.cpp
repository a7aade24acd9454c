// The clipboard between two running copies, for real: a second copy
// (copy_helper, the same program library) copies services from its own main
// window onto the desktop clipboard, and this copy pastes them into its
// main window. Runs under an X server (clipboard_xvfb.sh starts one); the
// offscreen platform's clipboard never leaves its process.

#include "app/AppForms.h"
#include "app/ServiceCommands.h"
#include "app/Unit_Main.h"
#include "controls/ScriptedMessages.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using namespace cf;

namespace {

// Waits for the helper to write a line that is `want`.
bool WaitForLine(QProcess& p, const QByteArray& want)
{
    for (int i = 0; i < 200; ++i) {
        while (p.canReadLine())
            if (p.readLine().trimmed() == want)
                return true;
        p.waitForReadyRead(100);
    }
    return false;
}

TEST(ClipboardBetweenCopies, ServicesCopiedInOneCopyArePastedInTheOther)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run through clipboard_xvfb.sh";
    cftest::ScratchDir tmp;
    const fs::path set = tmp / "multisat";
    fs::create_directories(set);
    fs::copy(cftest::RealSet("enigma2-v4-multisat"), set, fs::copy_options::recursive);

    TScriptedMessages messages;
    TMessageServiceScope scope(messages);
    setenv("CHANFORGE_CONFIG", (tmp / "mine.ini").c_str(), 1);
    TAppForms forms;
    TForm_Main& m = forms.Main();
    m.Show();
    TheLoadDir = set.string();
    ASSERT_TRUE(VerFile() && OpenFile());

    // Two services on one transponder that this copy then loses, with that
    // transponder: the other copy still has them.
    std::int32_t a = -1, b = -1;
    std::string name_a, name_b, tpKey;
    for (std::size_t i = 0; i + 1 < Services.size() && a < 0; ++i) {
        const TY_ENIG_CH& s = Services[i];
        const TY_ENIG_CH& t = Services[i + 1];
        if (s.TpIndex == t.TpIndex && !s.Name.empty() && !t.Name.empty() && s.Name != t.Name) {
            std::size_t sharing = 0;
            for (const auto& o : Services)
                sharing += o.TpIndex == s.TpIndex ? 1 : 0;
            if (sharing == 2) {
                a = s.Number, b = t.Number;
                name_a = s.Name, name_b = t.Name;
                tpKey = Transponders[static_cast<std::size_t>(s.TpIndex)].Key;
            }
        }
    }
    ASSERT_GE(a, 0) << "a transponder with exactly two services";
    DeleteServices({a, b});
    // Leave the transponder behind too, as a set that never had it.
    for (std::size_t i = 0; i < Transponders.size(); ++i)
        if (Transponders[i].Key == tpKey) {
            Transponders.erase(Transponders.begin() + static_cast<std::ptrdiff_t>(i));
            for (auto& s : Services)
                if (s.TpIndex > static_cast<std::int32_t>(i))
                    --s.TpIndex;
            break;
        }
    m.FillSat();
    m.FillChannel();
    const std::size_t services = Services.size(), transponders = Transponders.size();

    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CHANFORGE_CONFIG", QString::fromStdString((tmp / "other.ini").string()));
    helper.setProcessEnvironment(env);
    helper.start(QCoreApplication::applicationDirPath() + "/copy_helper", {QString::fromStdString(set.string())});
    ASSERT_TRUE(helper.waitForStarted(10000));
    ASSERT_TRUE(WaitForLine(helper, "ready"));
    helper.write(("copy " + std::to_string(a) + " " + std::to_string(b) + "\n").c_str());
    ASSERT_TRUE(WaitForLine(helper, "copied"));
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    messages.Answer(mrOk);
    m.LV_Serv->SetFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(m.LV_Serv, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(m.LV_Serv, &release);

    EXPECT_EQ(Services.size(), services + 2);
    EXPECT_EQ(Transponders.size(), transponders + 1);
    ASSERT_FALSE(messages.Log().empty());
    EXPECT_EQ(messages.Log().back().Text, "2 channel(s) inserted in main list\r\n\r\n1 transponder inserted");
    std::vector<std::string> names;
    for (std::size_t i = services; i < Services.size(); ++i)
        names.push_back(Services[i].Name);
    // In the order the other copy's list showed them (sorted by name there).
    std::vector<std::string> want = {name_a, name_b};
    std::sort(want.begin(), want.end(), [](const std::string& x, const std::string& y) {
        return QString::fromStdString(x).compare(QString::fromStdString(y), Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(names, want);
    EXPECT_EQ(m.LV_Serv->RowCount(), static_cast<int>(services + 2));

    helper.write("quit\n");
    helper.waitForFinished(10000);
    Modified = false;
    ClearModel();
}

} // namespace
