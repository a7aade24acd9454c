#pragma once

// A small settings set in the global model, the same for every editing test:
// five transponders (three at 19.2E, two of them side by side), six
// services, two providers, two TV bouquets and one radio bouquet with a
// marker and an own name. Every test starts from it with Modified clear and
// its own clipboard.

#include "app/BouquetCommands.h"
#include "platform/Clipboard.h"
#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

#include <string>

namespace cftest {

inline TY_ENIG_TP FixtureTp(const std::string& ns, const std::string& tsid, const std::string& freq,
                            const std::string& pos)
{
    TY_ENIG_TP tp;
    tp.Namespace = ns;
    tp.Tsid = tsid;
    tp.Onid = "0001";
    tp.Key = ns + tsid + "0001";
    tp.Kind = "S";
    tp.Frequency = freq;
    tp.SymbolRate = "27500000";
    tp.Polarisation = "1";
    tp.Fec = "3";
    tp.Position = pos;
    tp.Inversion = 2;
    tp.System = 1;
    tp.Modulation = 2;
    tp.Pilot = 2;
    return tp;
}

inline TY_ENIG_CH FixtureCh(std::int32_t number, const std::string& sid, std::int32_t tp, std::int32_t type,
                            const std::string& name, const std::string& provider)
{
    TY_ENIG_CH ch;
    ch.Number = number;
    ch.Sid = sid;
    ch.TpIndex = tp;
    ch.ServiceType = type;
    ch.Key = sid + Transponders[static_cast<std::size_t>(tp)].Key + std::to_string(type);
    ch.Name = name;
    ch.Provider = provider;
    ch.Pids = {"0065", "0066", "0068", "0065", ""};
    return ch;
}

class EditingTest : public ::testing::Test {
protected:
    cf::TMemoryClipboard clipboard{0x01020304};

    void SetUp() override
    {
        cf::SetClipboard(&clipboard);
        ClearModel();
        SetSettingsView(nullptr);
        SetEnigmaVer(4);
        Transponders = {
            FixtureTp("00C00000", "0437", "11836500", "019.2E"), // 0
            FixtureTp("00C00000", "0438", "11953500", "019.2E"), // 1
            FixtureTp("00820000", "0001", "10714000", "013.0E"), // 2
            FixtureTp("011A0000", "07D4", "10773000", "028.2E"), // 3
            FixtureTp("00C00000", "0441", "12187500", "019.2E"), // 4
        };
        Services = {
            FixtureCh(200, "6DCA", 0, 1, "Das Erste", "ARD"),
            FixtureCh(201, "6D66", 1, 1, "ZDF", "ZDFvision"),
            FixtureCh(202, "0D49", 2, 1, "Rai 1", "RAI"),
            FixtureCh(203, "1B2D", 3, 1, "BBC One", "BSkyB"),
            FixtureCh(204, "0080", 4, 2, "Bayern 3", "ARD"),
            FixtureCh(205, "2EE3", 3, 25, "ITV HD", "BSkyB"),
        };
        ServiceCounter = 206;
        Providers = {{1, "ARD", 0, 0, {200, 204}}, {2, "RAI", 0, 0, {202}}};
        ProviderCounter = 3;
        TvBouquets = {
            {"Favourites", "DBE00", 0, 0, 3, {{"S", "200", ""}, {"D", "News", ""}, {"S", "201", "Zweites"}, {"S", "202", ""}}},
            {"UK", "DBE01", 0, 0, 2, {{"S", "203", ""}, {"S", "200", ""}}},
        };
        RadioBouquets = {{"Radio", "DBE00", 0, 0, 1, {{"S", "204", ""}}}};
        TvBouquetCounter = 2;
        RadioBouquetCounter = 1;
        EmptyCutBuffers();
        Modified = false;
    }

    void TearDown() override
    {
        ClearModel();
        cf::SetClipboard(nullptr);
        Modified = false;
    }

    static TY_ENIG_CH* Service(std::int32_t number)
    {
        for (auto& ch : Services)
            if (ch.Number == number)
                return &ch;
        return nullptr;
    }
};

} // namespace cftest
