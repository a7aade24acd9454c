#pragma once

// Writes a receiver settings folder of a given size straight as text, the
// way a receiver would have written it: lamedb 4 with `services` services on
// services / 10 transponders, bouquets.tv naming 50 user-bouquet files that
// together reference every service, an empty bouquets.radio, satellites.xml
// with 40 satellites of 100 transponders, and empty blacklist and whitelist.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace genfolder {

inline void WriteText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

inline void Write(const std::filesystem::path& dir, int services)
{
    std::filesystem::create_directories(dir);
    const int tps = services / 10;
    char buf[256];

    std::string lamedb = "eDVB services /4/\ntransponders\n";
    for (int t = 0; t < tps; ++t) {
        const int pos = 130 + (t % 7) * 62;
        std::snprintf(buf, sizeof buf, "%04x0000:%04x:%04x\n", pos, t % 65536, 1 + t / 65536);
        lamedb += buf;
        if (t % 3 == 0)
            std::snprintf(buf, sizeof buf, "\ts %d:%d:%d:%d:%d:2:0\n/\n", 10700000 + (t % 400) * 5000, 27500000,
                          t % 2, 3, pos);
        else
            std::snprintf(buf, sizeof buf, "\ts %d:%d:%d:%d:%d:2:0:1:2:0:2\n/\n", 10700000 + (t % 400) * 5000,
                          22000000, t % 2, 4, pos);
        lamedb += buf;
    }
    lamedb += "end\nservices\n";
    auto ref = [&](int s, bool lamedbForm) {
        const int t = s / 10;
        const int pos = 130 + (t % 7) * 62;
        const int type = s % 5 == 0 ? 2 : 25;
        if (lamedbForm)
            std::snprintf(buf, sizeof buf, "%04x:%04x0000:%04x:%04x:%d:0\n", s % 65536, pos, t % 65536,
                          1 + t / 65536, type);
        else
            std::snprintf(buf, sizeof buf, "#SERVICE 1:0:%X:%X:%X:%X:%X0000:0:0:0:\n", type, s % 65536, t % 65536,
                          1 + t / 65536, pos);
        return std::string(buf);
    };
    for (int s = 0; s < services; ++s) {
        lamedb += ref(s, true);
        std::snprintf(buf, sizeof buf, "Channel %d HD %s\n", s, s % 11 == 0 ? "Первый канал" : "Television");
        lamedb += buf;
        std::snprintf(buf, sizeof buf, "p:Provider %d,c:00%04x,c:01%04x,c:03%04x,c:050001,C:0d05,C:1830,f:40\n",
                      s % 97, 0x100 + s % 50, 0x200 + s % 50, 0x100 + s % 50);
        lamedb += buf;
    }
    lamedb += "end\n";
    WriteText(dir / "lamedb", lamedb);

    constexpr int kBouquets = 50;
    std::string list = "#NAME Bouquets (TV)\n";
    const int per = (services + kBouquets - 1) / kBouquets;
    for (int b = 0; b < kBouquets; ++b) {
        std::snprintf(buf, sizeof buf, "userbouquet.gen%02d.tv", b);
        const std::string name = buf;
        list += "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"" + name + "\" ORDER BY bouquet\n";
        std::string text = "#NAME Bouquet " + std::to_string(b) + "\n";
        for (int s = b * per; s < services && s < (b + 1) * per; ++s) {
            if ((s - b * per) % 500 == 0)
                text += "#SERVICE 1:64:0:0:0:0:0:0:0:0:\n#DESCRIPTION --- " + std::to_string(s) + " ---\n";
            text += ref(s, false);
        }
        WriteText(dir / name, text);
    }
    WriteText(dir / "bouquets.tv", list);
    WriteText(dir / "bouquets.radio", "#NAME Bouquets (Radio)\n");
    WriteText(dir / "blacklist", "");
    WriteText(dir / "whitelist", "");

    std::string sat = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<satellites>\n";
    for (int s = 0; s < 40; ++s) {
        std::snprintf(buf, sizeof buf, "\t<sat name=\"Satellite %d\" flags=\"1\" position=\"%d\">\n", s, 50 + s * 30);
        sat += buf;
        for (int t = 0; t < 100; ++t) {
            std::snprintf(buf, sizeof buf,
                          "\t\t<transponder frequency=\"%d\" symbol_rate=\"27500000\" polarization=\"%d\" "
                          "fec_inner=\"3\" inversion=\"2\" modulation=\"1\" system=\"0\"/>\n",
                          10700000 + t * 20000, t % 2);
            sat += buf;
        }
        sat += "\t</sat>\n";
    }
    sat += "</satellites>\n";
    WriteText(dir / "satellites.xml", sat);
}

} // namespace genfolder
