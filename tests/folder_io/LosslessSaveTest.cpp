// A folder loaded and saved without an edit keeps what a receiver acts on.
// Each case is a small folder written by hand around one thing that used to
// change or vanish on the way; the test checks the bytes written and what a
// reload of the saved folder gives.

#include "FolderRecorders.h"
#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

using Files = std::map<std::string, std::string>;

// One Astra transponder with one HD service (type 25, hex 19).
const std::string kLamedbHd = "eDVB services /4/\n"
                              "transponders\n"
                              "00c00000:0001:0001\n"
                              "\ts 11778000:27500000:1:3:192:2:\n"
                              "/\n"
                              "end\n"
                              "services\n"
                              "283d:00c00000:0001:0001:25:0\n"
                              "Das Erste HD\n"
                              "p:ARD\n"
                              "end\n";

const std::string kTvList = "#NAME Bouquets (TV)\n"
                            "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"userbouquet.a.tv\" ORDER BY bouquet\n";

struct Written {
    std::string file;
    std::string text; // expected inside the file, or the whole file with `whole`
    bool present = true;
    bool whole = false;
};

struct Case {
    const char* fault;
    Files folder;
    int saveVersion = 4;
    bool saveInPlace = true;       // over the loaded folder, else into an empty one
    Files loadedBefore;            // a folder loaded before this one, when not empty
    std::vector<Written> written;
    std::function<void()> reload;  // checks on the model read back from the saved folder
};

const TY_ENIG_UB& OnlyTvBouquet()
{
    EXPECT_EQ(TvBouquets.size(), 1u);
    static const TY_ENIG_UB none;
    return TvBouquets.empty() ? none : TvBouquets[0];
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;

    cases.push_back({"1 lock list type is hexadecimal",
                     {{"lamedb", kLamedbHd}, {"blacklist", "1:0:19:283D:1:1:C00000:0:0:0:\n"}},
                     4, true, {},
                     {{"blacklist", "1:0:19:283D:0001:0001:00C00000:0:0:0:\n", true, true}},
                     [] {
                         ASSERT_EQ(Services.size(), 1u);
                         EXPECT_EQ(Services[0].Black, 1);
                     }});

    cases.push_back({"2 Enigma 1 bouquet type is hexadecimal",
                     {{"services", "eDVB services /2/\ntransponders\n00c00000:0001:0001\n"
                                   "\ts 11778000:27500000:1:3:192:2:\n/\nend\nservices\n"
                                   "283d:00c00000:0001:0001:25:0\nDas Erste HD\np:ARD\nend\n"},
                      {"bouquets", "eDVB bouquets /2/\nbouquets\nend\n"},
                      {"userbouquets.tv.epl",
                       "#NAME User - bouquets (TV)\n"
                       "#SERVICE: 4097:7:0:ed00:0:0:0:0:0:0:/var/tuxbox/config/enigma/userbouquet.ed00.tv\n"
                       "#TYPE 16385\n/var/tuxbox/config/enigma/userbouquet.ed00.tv\n"},
                      {"userbouquet.ed00.tv", "#NAME HD\n#SERVICE: 1:0:19:283d:1:1:c00000:0:0:0:\n"}},
                     2, true, {},
                     {{"userbouquet.ED00.tv", "#NAME HD\n#SERVICE: 1:0:19:283D:0001:0001:00C00000:0:0:0:\n", true,
                       true}},
                     [] {
                         const TY_ENIG_UB& ub = OnlyTvBouquet();
                         EXPECT_EQ(ub.Entries, (ARR_ARR_OF_STRING{{"S", "200", ""}}));
                     }});

    cases.push_back({"3 fifth field of cable and terrestrial lines",
                     {{"lamedb", "eDVB services /4/\ntransponders\n"
                                 "ffff0000:0005:0085\n\tc 346000000:6900000:2:3:0:0:0\n/\n"
                                 "eeee0000:0400:2174\n\tt 474000000:0:2:2:2:1:4:4:2:0:1:0\n/\n"
                                 // An empty fifth field is given back empty, not as the
                                 // default of a transponder made in the editor.
                                 "eeee0000:0401:2174\n\tt 482000000:69:2:0::0:\n/\n"
                                 "end\nservices\n"
                                 "0001:ffff0000:0005:0085:1:0\nKabel Eins\np:K\n"
                                 "0002:eeee0000:0400:2174:1:0\nT Eins\np:T\nend\n"}},
                     4, true, {},
                     {{"lamedb", "\tc 346000000:6900000:2:3:0:0:0\n"},
                      {"lamedb", "\tt 474000000:0:2:2:2:1:4:4:2:0:1:0\n"},
                      {"lamedb", "\tt 482000000:69:2:0::0:\n"}},
                     [] {
                         ASSERT_EQ(Transponders.size(), 3u);
                         EXPECT_EQ(Transponders[0].PositionField, "0");
                         EXPECT_EQ(Transponders[1].PositionField, "2");
                         EXPECT_EQ(Transponders[2].PositionField, "");
                     }});

    cases.push_back({"4 streams, sub-bouquets, spacers and own names stay in their place",
                     {{"lamedb", kLamedbHd},
                      {"bouquets.tv", kTvList},
                      {"userbouquet.a.tv",
                       "#NAME Mixed\n"
                       "#SERVICE 4097:0:1:0:0:0:0:0:0:0:http%3a//example.org/live.m3u8:Stream One\n"
                       "#DESCRIPTION Stream One\n"
                       "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"subbouquet.sub.tv\" ORDER BY bouquet\n"
                       "#DESCRIPTION Sub\n"
                       "#SERVICE 1:832:D:0:0:0:0:0:0:0:\n"
                       "#SERVICE 1:0:19:283D:1:1:C00000:0:0:0::ARD custom name\n"
                       "#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n"},
                      {"subbouquet.sub.tv", "#NAME Sub\n#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n"}},
                     4, false, {},
                     {{"userbouquet.ED00.tv",
                       "#NAME Mixed\n"
                       "#SERVICE 4097:0:1:0:0:0:0:0:0:0:http%3a//example.org/live.m3u8:Stream One\n"
                       "#DESCRIPTION Stream One\n"
                       "#SERVICE 1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"subbouquet.sub.tv\" ORDER BY bouquet\n"
                       "#DESCRIPTION Sub\n"
                       "#SERVICE 1:832:D:0:0:0:0:0:0:0:\n"
                       "#SERVICE 1:0:19:283D:1:1:C00000:0:0:0::ARD custom name\n"
                       "#SERVICE: 1:0:19:283D:0001:0001:00C00000:0:0:0:\n",
                       true, true},
                      {"subbouquet.sub.tv", "#NAME Sub\n#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n", true, true}},
                     [] {
                         const TY_ENIG_UB& ub = OnlyTvBouquet();
                         EXPECT_EQ(ub.Entries,
                                   (ARR_ARR_OF_STRING{
                                       {"R", "4097:0:1:0:0:0:0:0:0:0:http%3a//example.org/live.m3u8:Stream One",
                                        "Stream One"},
                                       {"R", "1:7:1:0:0:0:0:0:0:0:FROM BOUQUET \"subbouquet.sub.tv\" ORDER BY bouquet",
                                        "Sub"},
                                       {"R", "1:832:D:0:0:0:0:0:0:0:", ""},
                                       {"R", "1:0:19:283D:1:1:C00000:0:0:0::ARD custom name", ""},
                                       {"S", "200", ""}}));
                         EXPECT_EQ(ub.ServiceCount, 1);
                     }});

    const std::string satHead = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<satellites>\n"
                                "\t<sat name=\"Astra\" flags=\"1\" position=\"192\">\n";
    cases.push_back({"5 absent satellites.xml attributes stay absent",
                     {{"lamedb", kLamedbHd},
                      {"satellites.xml",
                       satHead +
                           "\t\t<transponder frequency=\"11778000\" symbol_rate=\"27500000\" polarization=\"1\" "
                           "fec_inner=\"3\"/>\n"
                           "\t\t<transponder frequency=\"10744000\" symbol_rate=\"22000000\" polarization=\"0\" "
                           "fec_inner=\"4\" modulation=\"2\" system=\"1\"/>\n"
                           "\t</sat>\n</satellites>\n"}},
                     4, true, {},
                     {{"satellites.xml", "<transponder frequency=\"11778000\" symbol_rate=\"27500000\" "
                                         "polarization=\"1\" fec_inner=\"3\"/>\n"},
                      {"satellites.xml", "<transponder frequency=\"10744000\" symbol_rate=\"22000000\" "
                                         "polarization=\"0\" fec_inner=\"4\" modulation=\"2\" system=\"1\"/>\n"},
                      {"satellites.xml", "inversion", false}},
                     [] {
                         ASSERT_EQ(Satellites.size(), 1u);
                         ASSERT_EQ(Satellites[0].Transponders.size(), 2u);
                         EXPECT_EQ(Satellites[0].Transponders[0].Present, 0xFu);
                         EXPECT_EQ(Satellites[0].Transponders[1].Present,
                                   0xFu | 1u << SAT_MODULATION | 1u << SAT_SYSTEM);
                     }});

    cases.push_back({"6 a transponder without services is kept",
                     {{"lamedb", "eDVB services /4/\ntransponders\n"
                                 "00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"
                                 "00c00000:0002:0001\n\ts 12000000:27500000:0:5:192:2:\n/\n"
                                 "end\nservices\n283d:00c00000:0001:0001:25:0\nDas Erste HD\np:ARD\nend\n"}},
                     4, true, {},
                     {{"lamedb", "00C00000:0002:0001\n\ts 12000000:27500000:0:5:0192:2:\n/\n"}},
                     [] {
                         ASSERT_EQ(Transponders.size(), 2u);
                         EXPECT_EQ(Transponders[1].Tsid, "0002");
                     }});

    cases.push_back({"7 unlisted bouquets and an empty radio list stay",
                     {{"lamedb", kLamedbHd},
                      {"bouquets.tv", kTvList},
                      {"bouquets.radio", "#NAME Bouquets (Radio)\n"},
                      {"userbouquet.a.tv", "#NAME A\n#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n"},
                      {"userbouquet.unlisted.tv", "#NAME Unlisted\n#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n"}},
                     4, true, {},
                     {{"userbouquet.unlisted.tv", "#NAME Unlisted\n#SERVICE 1:0:19:283D:1:1:C00000:0:0:0:\n", true,
                       true},
                      {"bouquets.radio", "#NAME Bouquets (Radio)\n", true, true},
                      {"userbouquet.a.tv", "", false},
                      {"userbouquet.ED00.tv", "#NAME A\n"}},
                     [] {
                         EXPECT_EQ(OnlyTvBouquet().Name, "A");
                         EXPECT_TRUE(RadioBouquets.empty());
                         EXPECT_EQ(RadioListName, "Bouquets (Radio)");
                     }});

    cases.push_back({"8 alike transponders keep their own attributes",
                     {{"lamedb", kLamedbHd},
                      {"satellites.xml",
                       satHead +
                           "\t\t<transponder frequency=\"11778000\" symbol_rate=\"27500000\" polarization=\"1\" "
                           "fec_inner=\"3\" is_id=\"1\"/>\n"
                           "\t\t<transponder frequency=\"11778000\" symbol_rate=\"27500000\" polarization=\"1\" "
                           "fec_inner=\"3\" is_id=\"2\"/>\n"
                           "\t</sat>\n</satellites>\n"},
                      {"terrestrial.xml",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<locations>\n"
                       "\t<terrestrial name=\"Here\" flags=\"5\">\n"
                       "\t\t<transponder centre_frequency=\"474000000\" bandwidth=\"0\" constellation=\"3\" "
                       "system=\"0\"/>\n"
                       "\t\t<transponder centre_frequency=\"474000000\" bandwidth=\"0\" constellation=\"3\" "
                       "system=\"1\"/>\n"
                       "\t</terrestrial>\n</locations>\n"}},
                     4, true, {},
                     {{"satellites.xml", "fec_inner=\"3\" is_id=\"1\"/>\n\t\t<transponder frequency=\"11778000\" "
                                         "symbol_rate=\"27500000\" polarization=\"1\" fec_inner=\"3\" is_id=\"2\"/>\n"},
                      {"terrestrial.xml", "constellation=\"3\" system=\"0\"/>\n\t\t<transponder "
                                          "centre_frequency=\"474000000\" bandwidth=\"0\" constellation=\"3\" "
                                          "system=\"1\"/>\n"}},
                     [] {
                         ASSERT_EQ(Satellites.size(), 1u);
                         ASSERT_EQ(Satellites[0].Transponders.size(), 2u);
                         EXPECT_EQ(Satellites[0].Transponders[0].Kept, (XmlAttributes{{"is_id", "1"}}));
                         EXPECT_EQ(Satellites[0].Transponders[1].Kept, (XmlAttributes{{"is_id", "2"}}));
                         ASSERT_EQ(Terrestrials.size(), 1u);
                         ASSERT_EQ(Terrestrials[0].Transponders.size(), 2u);
                         EXPECT_EQ(Terrestrials[0].Transponders[1].Kept, (XmlAttributes{{"system", "1"}}));
                     }});

    cases.push_back({"9 a folder without terrestrial.xml saves none of an earlier one",
                     {{"lamedb", kLamedbHd}},
                     4, false,
                     {{"lamedb", kLamedbHd},
                      {"terrestrial.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<locations>\n"
                                          "\t<terrestrial name=\"Elsewhere\" flags=\"5\">\n"
                                          "\t\t<transponder centre_frequency=\"474000000\" bandwidth=\"0\" "
                                          "constellation=\"3\"/>\n\t</terrestrial>\n</locations>\n"}},
                     {{"terrestrial.xml", "", false}},
                     [] { EXPECT_TRUE(Terrestrials.empty()); }});

    cases.push_back({"10 version 3 to 4 keeps the pilot at Auto",
                     {{"lamedb", "eDVB services /3/\ntransponders\n"
                                 "00c00000:0441:0001\n\ts 12515000:22000000:0:4:192:2:1:2:0\n/\n"
                                 "end\nservices\n0001:00c00000:0441:0001:25:0\nHD\np:P\nend\n"}},
                     4, false, {},
                     {{"lamedb", "eDVB services /4/\n"},
                      {"lamedb", "\ts 12515000:22000000:0:4:0192:2:0:1:2:0:2\n"}},
                     [] {
                         ASSERT_EQ(Transponders.size(), 1u);
                         EXPECT_EQ(Transponders[0].System, 1);
                         EXPECT_EQ(Transponders[0].Pilot, 2);
                     }});
    return cases;
}

class LosslessSave : public ::testing::Test {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override { ClearModel(); }
    ScratchDir tmp;

    fs::path MakeFolder(const std::string& name, const Files& files)
    {
        fs::path dir = tmp / name;
        fs::create_directories(dir);
        for (const auto& [file, text] : files)
            WriteBytes(dir / file, text);
        return dir;
    }
};

} // namespace

TEST_F(LosslessSave, EachMendedFaultKeepsWhatTheReceiverReads)
{
    int n = 0;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.fault);
        ResetModel();
        TRecordingUi ui;
        const std::string tag = std::to_string(++n);
        if (!c.loadedBefore.empty()) {
            ASSERT_TRUE(LoadFolder(MakeFolder(tag + "-before", c.loadedBefore)));
        }
        const fs::path in = MakeFolder(tag + "-in", c.folder);
        ASSERT_TRUE(LoadFolder(in));
        const fs::path out = c.saveInPlace ? in : MakeFolder(tag + "-out", {});
        ASSERT_TRUE(SaveFolder(out, c.saveVersion)) << (ui.dialogs.errors.empty() ? "" : ui.dialogs.errors.back());

        for (const Written& w : c.written) {
            SCOPED_TRACE(w.file + " : " + w.text);
            if (!w.present) {
                if (w.text.empty())
                    EXPECT_FALSE(fs::exists(out / w.file));
                else
                    EXPECT_EQ(ReadBytes(out / w.file).find(w.text), std::string::npos);
                continue;
            }
            ASSERT_TRUE(fs::exists(out / w.file));
            if (w.whole)
                EXPECT_EQ(ReadBytes(out / w.file), w.text);
            else
                EXPECT_NE(ReadBytes(out / w.file).find(w.text), std::string::npos) << ReadBytes(out / w.file);
        }

        ResetModel();
        ASSERT_TRUE(LoadFolder(out));
        c.reload();
    }
}
