#pragma once

// A generated settings set the size of a well-filled receiver, shared by the
// folder benchmarks.

#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace benchset {

inline std::string Hex(unsigned v, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", width, v);
    return buf;
}

inline void BuildModel(int services, int transponders, int providers, int bouquets)
{
    ClearModel();
    SetEnigmaVer(4);
    TY_PROFILES p;
    p.Name = "bench";
    p.Type = 3;
    p.PRO_Sdir = "/etc/enigma2";
    Profiles = {p};
    SaveProfile = 0;
    std::mt19937 rng(7);
    for (int t = 0; t < transponders; ++t) {
        TY_ENIG_TP tp;
        const int pos = 50 + (t % 40) * 30;
        tp.Namespace = Hex(static_cast<unsigned>(pos) << 16, 8);
        tp.Tsid = Hex(static_cast<unsigned>(t + 1), 4);
        tp.Onid = Hex(1 + t % 7, 4);
        tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
        tp.Kind = "S";
        tp.Frequency = std::to_string(10700000 + (t % 1000) * 2000);
        tp.SymbolRate = "27500000";
        tp.Polarisation = std::to_string(t % 2);
        tp.Fec = std::to_string(1 + t % 5);
        char posText[8];
        std::snprintf(posText, sizeof posText, "%03d.%dE", pos / 10, pos % 10);
        tp.Position = posText;
        tp.Inversion = 2;
        tp.System = t % 3 == 0;
        tp.Modulation = tp.System ? 2 : 1;
        Transponders.push_back(tp);
    }
    for (int i = 0; i < services; ++i) {
        TY_ENIG_CH ch;
        ch.TpIndex = i % transponders;
        ch.Sid = Hex(static_cast<unsigned>(i / transponders + 1), 4);
        ch.ServiceType = i % 10 == 0 ? 2 : (i % 7 == 0 ? 25 : 1);
        ch.Key = ch.Sid + Transponders[ch.TpIndex].Key + std::to_string(ch.ServiceType);
        ch.Number = 200 + i;
        ch.Name = "Service " + std::to_string(i) + " HD";
        ch.Provider = "Provider " + std::to_string(i % providers);
        ch.Pids[PID_VIDEO] = Hex(100 + i % 900, 4);
        ch.Pids[PID_AUDIO] = Hex(200 + i % 900, 4);
        ch.Flags = i % 13 == 0 ? 1 : 0;
        ch.Black = i % 997 == 0;
        Services.push_back(ch);
    }
    ServiceCounter = 200 + services;
    for (int p = 0; p < providers; ++p) {
        TY_ENIG_PR pr;
        pr.Id = p + 1;
        pr.Name = "Provider " + std::to_string(p);
        for (int i = p; i < services; i += providers)
            pr.Members.push_back(200 + i);
        Providers.push_back(pr);
    }
    for (int b = 0; b < bouquets; ++b) {
        TY_ENIG_UB ub;
        ub.Name = "Bouquet " + std::to_string(b);
        ub.FileId = Hex(0xED00 + b, 4);
        const int entries = 50 + static_cast<int>(rng() % 750);
        for (int e = 0; e < entries; ++e) {
            if (e % 100 == 0)
                ub.Entries.push_back({"D", "--- Part " + std::to_string(e / 100) + " ---", ""});
            const int n = static_cast<int>(rng() % services);
            ub.Entries.push_back({"S", std::to_string(200 + n), ""});
            ++ub.ServiceCount;
        }
        (b % 6 == 5 ? RadioBouquets : TvBouquets).push_back(ub);
    }
    TvListName = "Bouquets (TV)";
    RadioListName = "Bouquets (Radio)";
    for (int s = 0; s < 40; ++s) {
        TY_ENIG_SAT sat;
        sat.Position = 50 + s * 30;
        char posText[8];
        std::snprintf(posText, sizeof posText, "%03d.%dE", sat.Position / 10, sat.Position % 10);
        sat.PositionText = posText;
        sat.Name = "Satellite " + sat.PositionText;
        for (int t = 0; t < 100; ++t)
            sat.Transponders.push_back({10700000 + t * 20000, 27500000, t % 2, 3, 2, 1, 0, 0, 0});
        Satellites.push_back(sat);
    }
    SatListHeld = true;
}

// The set saved once into a temporary folder, removed at exit.
struct BenchFolder {
    std::filesystem::path root;
    std::filesystem::path set;
    BenchFolder()
    {
        std::random_device rd;
        root = std::filesystem::temp_directory_path() / ("chanforge-bench-" + std::to_string(rd()));
        set = root / "set";
        std::filesystem::create_directories(set);
        BuildModel(50000, 5000, 200, 120);
        TheSaveDir = set.string();
        if (!SaveFile())
            std::abort();
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

inline BenchFolder& Folder()
{
    static BenchFolder f;
    return f;
}

} // namespace benchset
