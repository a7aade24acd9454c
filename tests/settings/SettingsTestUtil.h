#pragma once

#include "common/TestData.h"
#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cftest {

inline std::filesystem::path SourceDir()
{
    if (const char* p = std::getenv("CHANFORGE_SOURCE"))
        return p;
    return std::filesystem::path(__FILE__).parent_path() / "../..";
}

inline std::filesystem::path GoldenDir() { return SourceDir() / "tests/settings/golden"; }

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// Every test starts from an empty model and the default version, and
// leaves no view attached.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    static void ResetGlobals()
    {
        ClearModel();
        SetSettingsView(nullptr);
        SetEnigmaVer(3);
        ServiceCounter = 200;
        SaveProfile = 0;
        Modified = false;
    }
};

inline TY_ENIG_TP MakeTp(const std::string& ns, const std::string& tsid, const std::string& onid,
                         const std::string& kind, const std::string& freq, const std::string& sr,
                         const std::string& pol, const std::string& fec, const std::string& pos,
                         int inversion)
{
    TY_ENIG_TP tp;
    tp.Namespace = ns;
    tp.Tsid = tsid;
    tp.Onid = onid;
    tp.Key = ns + tsid + onid;
    tp.Kind = kind;
    tp.Frequency = freq;
    tp.SymbolRate = sr;
    tp.Polarisation = pol;
    tp.Fec = fec;
    tp.Position = pos;
    tp.Inversion = inversion;
    return tp;
}

inline TY_ENIG_CH MakeCh(const std::string& sid, int tpIndex, const ARR_ENIG_TP& tps, int type,
                         int number, const std::string& name, const std::string& provider,
                         decltype(TY_ENIG_CH::Pids) pids, int flags)
{
    TY_ENIG_CH ch;
    ch.Sid = sid;
    ch.TpIndex = tpIndex;
    ch.ServiceType = type;
    ch.Key = sid + tps[static_cast<std::size_t>(tpIndex)].Key + std::to_string(type);
    ch.Number = number;
    ch.Name = name;
    ch.Provider = provider;
    ch.Pids = std::move(pids);
    ch.Flags = flags;
    return ch;
}

// The fields a services file carries (the memory-only bookkeeping of what
// was read is left to the tests that are about it).
inline void ExpectSameTp(const TY_ENIG_TP& a, const TY_ENIG_TP& b, const std::string& what)
{
    SCOPED_TRACE(what + " " + b.Key);
    EXPECT_EQ(a.Namespace, b.Namespace);
    EXPECT_EQ(a.Tsid, b.Tsid);
    EXPECT_EQ(a.Onid, b.Onid);
    EXPECT_EQ(a.Key, b.Key);
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.Frequency, b.Frequency);
    EXPECT_EQ(a.SymbolRate, b.SymbolRate);
    EXPECT_EQ(a.Polarisation, b.Polarisation);
    EXPECT_EQ(a.Fec, b.Fec);
    EXPECT_EQ(a.Position, b.Position);
    EXPECT_EQ(a.Inversion, b.Inversion);
    EXPECT_EQ(a.ScanFlags, b.ScanFlags);
    EXPECT_EQ(a.System, b.System);
    EXPECT_EQ(a.Modulation, b.Modulation);
    EXPECT_EQ(a.RollOff, b.RollOff);
    EXPECT_EQ(a.Pilot, b.Pilot);
}

inline void ExpectSameCh(const TY_ENIG_CH& a, const TY_ENIG_CH& b, const std::string& what)
{
    SCOPED_TRACE(what + " " + b.Key);
    EXPECT_EQ(a.Sid, b.Sid);
    EXPECT_EQ(a.TpIndex, b.TpIndex);
    EXPECT_EQ(a.ServiceType, b.ServiceType);
    EXPECT_EQ(a.Key, b.Key);
    EXPECT_EQ(a.Number, b.Number);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Provider, b.Provider);
    EXPECT_EQ(a.Pids, b.Pids);
    EXPECT_EQ(a.Flags, b.Flags);
    EXPECT_EQ(a.ExtraData, b.ExtraData);
}

} // namespace cftest
