#pragma once

// Shared set-up of the list reader and writer tests: a clean model, the
// hand-written fixture folders, and file helpers.

#include "common/TestData.h"
#include "settings/ServicesFile.h"
#include "settings/Unit_lib.h"
#include "settings/XmlExtras.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace lists_test {

inline std::filesystem::path GoldenDir()
{
    return std::filesystem::path(CF_LISTS_GOLDEN);
}

inline std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline void ResetModel()
{
    ClearModel();
    ErrorReport.clear();
    TvListName.clear();
    RadioListName.clear();
    TvListEntries.clear();
    RadioListEntries.clear();
    SaveProfile = 0;
    SetEnigmaVer(4);
}

// Loads the transponders and services of `dir` (lamedb or services) the
// way the folder loader does, so the list readers have services to find.
inline void LoadServicesOf(const std::filesystem::path& dir)
{
    TheLoadDir = dir.string();
    std::string name = std::filesystem::exists(dir / "lamedb") ? "lamedb" : "services";
    LoadTp(Transponders, (dir / name).string());
    LoadChannel(Services, Transponders, true, (dir / name).string());
}

// One profile whose settings folder the lists written for it name.
inline void UseSaveProfile(const std::string& sdir, std::int32_t type)
{
    TY_PROFILES p;
    p.Name = "test";
    p.Type = type;
    p.PRO_Sdir = sdir;
    Profiles = {p};
    SaveProfile = 0;
}

// The number of the service with that SID, or -1.
inline std::int32_t NumberOfSid(const std::string& sid)
{
    for (const auto& ch : Services)
        if (ch.Sid == sid)
            return ch.Number;
    return -1;
}

class ListsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override { ResetModel(); }
    cftest::ScratchDir temp;
};

} // namespace lists_test
