// Reading services files as receivers and other tools write them, and
// damaged ones.

#include "SettingsTestUtil.h"

#include "settings/ServicesFile.h"
#include "settings/TextFile.h"

#include <functional>

using namespace cftest;

namespace {

class ServicesRead : public ModelTest {
protected:
    // Writes `text` as the services file and loads it into the globals.
    void Load(const std::string& text, const std::string& name = "lamedb")
    {
        path_ = (dir_ / name).string();
        WriteBytes(path_, text);
        LoadTp(Transponders, path_);
        LoadChannel(Services, Transponders, true, path_);
    }
    std::string SaveAndRead()
    {
        TheSaveDir = (dir_ / "out").string();
        std::filesystem::create_directories(TheSaveDir);
        SaveService();
        return ReadBytes(std::filesystem::path(TheSaveDir) / ServicesFileName);
    }
    cftest::ScratchDir dir_;
    std::string path_;
};

const std::string kReceiverV4 =
    "eDVB services /4/\n"
    "transponders\n"
    "011a0000:07d1:0002\n"
    "\ts 11719000:29500000:0:3:282:2:0:1:1:1\n"
    "/\n"
    "011a0000:07d4:0002\n"
    "\ts 11778000:27500000:1:2:282:2:0\n"
    "/\n"
    "00c00000:0441:0001\n"
    "\ts 12515000:22000000:0:4:192:2:0:1:2:0:2:-1:0:1\n"
    "/\n"
    "end\n"
    "services\n"
    "0ede:011a0000:07d1:0002:25:0\n"
    "MTV Live HD\n"
    "p:BSkyB,c:000202,c:030202,c:040296,c:050001\n"
    "0009:011a0000:07d4:0002:1:0:0\n"
    "Nickelodeon\n"
    "p:Cyfrowy Polsat S.A.,C:0000,f:40\n"
    "0109:00c00000:0441:0001:1:0\n"
    "\xC2\x86" "България\xC2\x87 24\n"
    "p:VIVACOM\n"
    "end\n"
    "Editor:SomeOtherTool\n";

} // namespace

TEST_F(ServicesRead, ReceiverLinesAreReadAndWrittenBackAsRead)
{
    Load(kReceiverV4);
    ASSERT_EQ(Transponders.size(), 3u);
    const auto& t0 = Transponders[0];
    EXPECT_EQ(t0.Key, "011A000007D10002");
    EXPECT_EQ(t0.Position, "028.2E");
    EXPECT_EQ(t0.Inversion, 2);
    EXPECT_EQ(t0.ScanFlags, 0);
    EXPECT_EQ(t0.System, 1);
    EXPECT_EQ(t0.Modulation, 1);
    EXPECT_EQ(t0.RollOff, 1);
    EXPECT_EQ(t0.Pilot, 0);
    EXPECT_EQ(Transponders[2].Pilot, 2);
    EXPECT_EQ(Transponders[2].ExtraFields, "-1:0:1");

    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[0].Key, "0EDE011A000007D1000225");
    EXPECT_EQ(Services[0].Pids, (decltype(TY_ENIG_CH::Pids){"0202", "", "", "0202", "0296"}));
    EXPECT_EQ(Services[0].ExtraData, ARR_OF_STRING{"c:050001"});
    EXPECT_EQ(Services[1].Provider, "Cyfrowy Polsat S.A.");
    EXPECT_EQ(Services[1].Flags, 0x40);
    EXPECT_EQ(Services[1].ExtraData, ARR_OF_STRING{"C:0000"});
    EXPECT_EQ(Services[2].Name, "България 24"); // emphasis codes removed, Cyrillic kept
    EXPECT_EQ(ServiceCounter, 203);

    // Unknown transponder fields, the v4 scan flags of a DVB-S transponder,
    // a DVB-S2 line without pilot and unknown service fields all survive.
    const std::string expected =
        "eDVB services /4/\n"
        "transponders\n"
        "011A0000:07D1:0002\n"
        "\ts 11719000:29500000:0:3:0282:2:0:1:1:1\n"
        "/\n"
        "011A0000:07D4:0002\n"
        "\ts 11778000:27500000:1:2:0282:2:0\n"
        "/\n"
        "00C00000:0441:0001\n"
        "\ts 12515000:22000000:0:4:0192:2:0:1:2:0:2:-1:0:1\n"
        "/\n"
        "end\n"
        "services\n"
        "0EDE:011A0000:07D1:0002:25:200\n"
        "MTV Live HD\n"
        "p:BSkyB,c:000202,c:030202,c:040296,c:050001\n"
        "0009:011A0000:07D4:0002:1:201\n"
        "Nickelodeon\n"
        "p:Cyfrowy Polsat S.A.,C:0000,f:0040\n"
        "0109:00C00000:0441:0001:1:202\n"
        "България 24\n"
        "p:VIVACOM\n"
        "end\n"
        "Powered by Kestro - www.chanforge.org\n";
    EXPECT_EQ(SaveAndRead(), expected);
}

TEST_F(ServicesRead, EmptyTrailingFieldsSurvive)
{
    Load("eDVB services /4/\ntransponders\n00c00000:0441:0001\n\ts 12515000:22000000:0:4:192:2:0:1:2:0:2:7::\n/\n"
         "end\nservices\n0001:00c00000:0441:0001:1:0\nA\np:P\nend\n");
    ASSERT_EQ(Transponders.size(), 1u);
    EXPECT_EQ(Transponders[0].ExtraFields, "7:");
    EXPECT_NE(SaveAndRead().find("\ts 12515000:22000000:0:4:0192:2:0:1:2:0:2:7::\n"), std::string::npos);
}

TEST_F(ServicesRead, ControlBytesAtTheEndOfKeptFieldsComeBack)
{
    // The unknown fields after the five known ones, as read from the line,
    // and the line's end as written: closed with ":" whenever the field's
    // last byte would otherwise be trimmed off the line on reading.
    struct Case {
        std::string written, kept, saved;
    };
    const Case cases[] = {
        {"X\x05:", "X\x05", "X\x05:"},
        {"-1:\x01\x02:", "-1:\x01\x02", "-1:\x01\x02:"},
        {"\x7f" "A\x1f:", "\x7f" "A\x1f", "\x7f" "A\x1f:"},
        {"\x05X", "\x05X", "\x05X"},
        {"Y\t:", "Y\t", "Y\t:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kept);
        ClearModel();
        SetEnigmaVer(4);
        Load("eDVB services /4/\ntransponders\n00c00000:0441:0001\n\ts 12515000:22000000:0:4:192:2:0:1:2:0:2:" +
             c.written + "\n/\nend\nservices\n0001:00c00000:0441:0001:1:0\nA\np:P\nend\n");
        ASSERT_EQ(Transponders.size(), 1u);
        EXPECT_EQ(Transponders[0].ExtraFields, c.kept);
        const std::string saved = SaveAndRead();
        EXPECT_NE(saved.find("\ts 12515000:22000000:0:4:0192:2:0:1:2:0:2:" + c.saved + "\n"), std::string::npos)
            << saved;
        // And read back, the field is the same.
        ClearModel();
        Load(saved);
        ASSERT_EQ(Transponders.size(), 1u);
        EXPECT_EQ(Transponders[0].ExtraFields, c.kept);
    }
}

TEST_F(ServicesRead, EditedExtrasFollowTheVersionRule)
{
    Load(kReceiverV4);
    Transponders[1].System = 1;  // DVB-S made DVB-S2: all five fields
    Transponders[0].Pilot = 1;   // a field the line lacked is now needed
    const std::string out = SaveAndRead();
    EXPECT_NE(out.find("\ts 11778000:27500000:1:2:0282:2:0:1:0:0:0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\ts 11719000:29500000:0:3:0282:2:0:1:1:1:1\n"), std::string::npos) << out;
}

TEST_F(ServicesRead, ExtrasOfAnotherVersionAreNotCarriedOver)
{
    Load(kReceiverV4);
    SetEnigmaVer(3);
    const std::string out = SaveAndRead();
    EXPECT_NE(out.find("\ts 11719000:29500000:0:3:0282:2:1:1:1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\ts 11778000:27500000:1:2:0282:2:\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\ts 12515000:22000000:0:4:0192:2:1:2:0\n"), std::string::npos) << out;
}

TEST_F(ServicesRead, CrLfLinesAreAccepted)
{
    std::string crlf;
    for (char c : kReceiverV4) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    Load(crlf);
    EXPECT_EQ(Transponders.size(), 3u);
    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[0].Name, "MTV Live HD");
    EXPECT_EQ(Services[1].Flags, 0x40);
    EXPECT_EQ(Transponders[2].ExtraFields, "-1:0:1");
    EXPECT_EQ(ErrorReport, "");
    EXPECT_EQ(SaveAndRead().find('\r'), std::string::npos);

    // A file converted to CR LF twice still reads the same.
    ClearModel();
    std::string twice;
    for (char c : crlf) {
        if (c == '\n')
            twice += '\r';
        twice += c;
    }
    Load(twice);
    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[2].Provider, "VIVACOM");
    EXPECT_EQ(Services[0].Name, "MTV Live HD");
}

// Transponder entries as receivers write them and in the odd forms other
// tools and hand edits leave: each is read by the same rules (fields
// zero-padded or cut to their width and upper-cased, blanks and line ends
// trimmed, a leading ":" dropped, the last four position digits kept).
TEST_F(ServicesRead, TransponderEntriesInOddFormsAreReadByTheSameRules)
{
    struct Case {
        std::string entry;
        std::string key, kind, frequency, polarisation, position, positionField;
        std::int32_t inversion, system, extrasRead;
        std::string extraFields;
    };
    const Case cases[] = {
        {"00C00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:0:1:2:0:2\n/\n", "00C0000000010001", "S", "11778000",
         "1", "019.2E", "", 2, 1, 5, ""},
        {"00c0abcd:0a0b:00ff\n\tS 11778000:27500000:0:2:-300:0\n/\n", "00C0ABCD0A0B00FF", "S", "11778000", "0",
         "030.0W", "", 0, 0, 0, ""},
        {"c00000:8:1\n\ts 11778000:27500000:1:3:192:2:0\n/\n", "00C0000000080001", "S", "11778000", "1", "019.2E",
         "", 2, 0, 1, ""},
        {"0000c00000:00008:00001\n\ts 11778000:27500000:1:3:192:2:0\n/\n", "00C0000000080001", "S", "11778000", "1",
         "019.2E", "", 2, 0, 1, ""},
        {"00c00000:0002:0001\r\n\ts 11778000:27500000:1:3:192:2:0\r\n/\r\n", "00C0000000020001", "S", "11778000", "1",
         "019.2E", "", 2, 0, 1, ""},
        {"00c00000:0003:0001\n  s  11778000:27500000:1:3:192:2:  \n/\n", "00C0000000030001", "S", "11778000", "1",
         "019.2E", "", 2, 0, 0, ""},
        {"00c00000:0004:0001\n\ts11778000:27500000:1:3:192:2\n/\n", "00C0000000040001", "S", "11778000", "1",
         "019.2E", "", 2, 0, 0, ""},
        {"00c00000:0005:0001\n\ts 011778000:027500000:01:03:00192:02:00:01\n/\n", "00C0000000050001", "S",
         "011778000", "1", "019.2E", "", 2, 1, 2, ""},
        {"00c00000:0006:0001\n\ts :11778000:27500000:1:3:12345:2:0\n/\n", "00C0000000060001", "S", "11778000", "1",
         "234.5E", "", 2, 0, 1, ""},
        {"ffff0000:0007:0001\n\tc 346000000:6900000:0:3:4:2:0\n/\n", "FFFF000000070001", "C", "346000000", "0",
         "Cable", "4", 2, 0, 1, ""},
        {"eeee0000:0008:0001\n\tt 474000000:0:5:5:3:1:4:4:2:0:1:0\n/\n", "EEEE000000080001", "T", "474000000", "5",
         "Terrestrial", "3", 1, 4, 5, "0"},
        {"00c00000:0009:0001\n\ts 11778000:27500000:1:3:- 192:2:0:1:2:0:2:X:\n/\n", "00C0000000090001", "S",
         "11778000", "1", "019.2W", "", 2, 1, 5, "X"},
        // Data lines of 64 and 65 characters.
        {"00c00000:000a:0001\n\ts 11778000:27500000:1:3:192:2:0:1:2:0:2:" + std::string(24, 'X') + "\n/\n",
         "00C00000000A0001", "S", "11778000", "1", "019.2E", "", 2, 1, 5, std::string(24, 'X')},
        {"00c00000:000b:0001\n\ts 11778000:27500000:1:3:192:2:0:1:2:0:2:" + std::string(25, 'X') + "\n/\n",
         "00C00000000B0001", "S", "11778000", "1", "019.2E", "", 2, 1, 5, std::string(25, 'X')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ClearModel();
        SetEnigmaVer(4);
        Load("eDVB services /4/\ntransponders\n" + c.entry + "end\nservices\nend\n");
        EXPECT_EQ(ErrorReport, "");
        ASSERT_EQ(Transponders.size(), 1u);
        const TY_ENIG_TP& tp = Transponders[0];
        EXPECT_EQ(tp.Key, c.key);
        EXPECT_EQ(tp.Namespace + tp.Tsid + tp.Onid, c.key);
        EXPECT_EQ(tp.Kind, c.kind);
        EXPECT_EQ(tp.Frequency, c.frequency);
        EXPECT_EQ(tp.Polarisation, c.polarisation);
        EXPECT_EQ(tp.Position, c.position);
        EXPECT_EQ(tp.PositionField, c.positionField);
        EXPECT_EQ(tp.Inversion, c.inversion);
        EXPECT_EQ(tp.System, c.system);
        EXPECT_EQ(tp.ExtrasVersion, 4);
        EXPECT_EQ(tp.ExtrasRead, c.extrasRead);
        EXPECT_EQ(tp.ExtraFields, c.extraFields);
    }
}

TEST_F(ServicesRead, ANameOfControlCharactersOnlyIsANamelessService)
{
    // U+0086 is a C1 control character: cleaned away, nothing is left.
    Load("eDVB services /4/\ntransponders\n00c00000:0441:0001\n\ts 12515000:22000000:0:4:192:2:0\n/\nend\n"
         "services\n0109:00c00000:0441:0001:1:0\n\xC2\x86\np:P\nend\n");
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_TRUE(Services[0].Unnamed);
    EXPECT_EQ(Services[0].Name, ".");
    EXPECT_NE(SaveAndRead().find("0109:00C00000:0441:0001:1:200\n\np:P\n"), std::string::npos);
}

TEST_F(ServicesRead, TagsCountOnlyAtTheStartOfAField)
{
    Load("eDVB services /3/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\nend\n"
         "services\n0001:00c00000:0001:0001:2:0\nRap c:01 Radio\np:Top f:zz c:0199 p:x,c:010044\nend\n");
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Provider, "Top f:zz c:0199 p:x");
    EXPECT_EQ(Services[0].Pids[PID_AUDIO], "0044");
    EXPECT_EQ(Services[0].Flags, 0);
    EXPECT_EQ(ErrorReport, "");
}

TEST_F(ServicesRead, SymbolRate800000IsTerrestrialOnlyForQbOne)
{
    const std::string body = "transponders\n00c00000:0001:0001\n\ts 486000000:800000:0:0:3:0:\n/\nend\n"
                             "services\n0001:00c00000:0001:0001:1:0\nT1\np:\nend\n";
    Load("eDVB services /4/\n" + body);
    ASSERT_EQ(Transponders.size(), 1u);
    EXPECT_EQ(Transponders[0].Kind, "S");
    EXPECT_EQ(Transponders[0].Frequency, "486000000");
    EXPECT_EQ(Transponders[0].Position, "000.3E");

    Transponders.clear();
    Services.clear();
    SetEnigmaVer(2);
    Load("eDVB services /5/\n" + body, "services");
    ASSERT_EQ(Transponders.size(), 1u);
    EXPECT_EQ(Transponders[0].Kind, "t");
    EXPECT_EQ(Transponders[0].Frequency, "474000000");
    EXPECT_EQ(Transponders[0].Position, "Terrestrial");
}

// The key fields of a reference line as the settings splitter reads them:
// short fields zero-padded, long ones cut to their rightmost digits, any
// case; the service's key is made of what was read.
TEST_F(ServicesRead, ReferenceFieldsArePaddedCutAndUpperCased)
{
    Load("eDVB services /4/\ntransponders\n011a0000:07d1:0002\n\ts 11719000:29500000:0:3:282:2:0\n/\nend\n"
         "services\n"
         "ede:11a0000:7d1:2:25:0\nA\np:P\n"
         "10ede:0011a0000:107d1:10002:1:0\nB\np:P\n"
         ":0EDE:011A0000:07D1:0002:2\nC\np:P\n"
         "0ede:011a0000:07d1:0x02:1:0\nD\np:P\n"
         "0ede:011a0000:07d1:0002:2147483647:0\nE\np:P\n"
         "0ede:011a0000:07d1:0002:-2147483648:0\nF\np:P\n"
         "end\n");
    ASSERT_EQ(Services.size(), 5u);
    EXPECT_EQ(Services[0].Sid, "0EDE");
    EXPECT_EQ(Services[0].Key, "0EDE011A000007D1000225");
    EXPECT_EQ(Services[1].Key, "0EDE011A000007D100021");
    EXPECT_EQ(Services[2].Key, "0EDE011A000007D100022");
    // The widest types: the key is never cut.
    EXPECT_EQ(Services[3].Key, "0EDE011A000007D100022147483647");
    EXPECT_EQ(Services[4].Key, "0EDE011A000007D10002-2147483648");
    EXPECT_EQ(Services[4].ServiceType, INT32_MIN);
    for (const auto& s : Services)
        EXPECT_EQ(s.TpIndex, 0);
    EXPECT_EQ(ErrorReport, "\n- Channel <0ede:011a0000:07d1:0x02:1:0> in services file not loaded (bad number)");
}

TEST_F(ServicesRead, TypesAndFlagsAreReadInEveryFormTheNumberRulesAccept)
{
    Load("eDVB services /4/\ntransponders\n011a0000:07d1:0002\n\ts 11719000:29500000:0:3:282:2:0\n/\nend\n"
         "services\n"
         "0001:011a0000:07d1:0002:0025:0\nA\np:P,f:000000040\n"
         "0002:011a0000:07d1:0002:+25:0\nB\np:P,f: 40 \n"
         "0003:011a0000:07d1:0002:12345:0\nC\np:P,f:FFFFFFFF\n"
         "0004:011a0000:07d1:0002:7\nD\np:P,f:a\n"
         "0005:011a0000:07d1:0002: 25:0\nE\np:P\n"      // a blank: no number
         "0006:011a0000:07d1:0002:25:0\nF\np:P,f:1FFFFFFFF\n" // more than 32 bits
         "0007:011a0000:07d1:0002:25:0\nG\np:P,f:\n"    // no digits
         "end\n");
    struct Expected {
        const char* name;
        std::int32_t type;
        std::int32_t flags;
    };
    const Expected expected[] = {{"A", 25, 0x40}, {"B", 25, 0x40}, {"C", 12345, -1}, {"D", 7, 0xA}};
    ASSERT_EQ(Services.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Services[i].Name, expected[i].name);
        EXPECT_EQ(Services[i].ServiceType, expected[i].type) << expected[i].name;
        EXPECT_EQ(Services[i].Flags, expected[i].flags) << expected[i].name;
    }
    EXPECT_EQ(Services[2].Key, "0003011A000007D1000212345");
    EXPECT_EQ(CountOccurrences("\n- Channel <", ErrorReport), 3u) << ErrorReport;
}

TEST_F(ServicesRead, AServiceWithADamagedDataLineLeavesNothingInTheNext)
{
    // The first service's provider and PIDs are read before its bad PID is
    // found; none of them may reach the service loaded after it.
    Load("eDVB services /4/\ntransponders\n011a0000:07d1:0002\n\ts 11719000:29500000:0:3:282:2:0\n/\nend\n"
         "services\n"
         "0001:011a0000:07d1:0002:1:0\nBad\np:Old,c:000100,c:010200,C:0d05,f:4,c:03zz\n"
         "0002:011a0000:07d1:0002:1:0\nGood\np:,c:020300\n"
         "end\n");
    ASSERT_EQ(Services.size(), 1u);
    const TY_ENIG_CH& ch = Services[0];
    EXPECT_EQ(ch.Name, "Good");
    EXPECT_EQ(ch.Provider, "");
    EXPECT_EQ(ch.Pids[0], "");
    EXPECT_EQ(ch.Pids[1], "");
    EXPECT_EQ(ch.Pids[2], "0300");
    EXPECT_EQ(ch.Flags, 0);
    EXPECT_TRUE(ch.ExtraData.empty());
    EXPECT_EQ(ch.Number, 200);
}

// Services of several transponders in any order, data lines longer than
// one scanned block, fields the editor does not read between those it does.
TEST_F(ServicesRead, FieldsAreSortedOutWhereverTheyStand)
{
    Load("eDVB services /4/\ntransponders\n"
         "011a0000:07d1:0002\n\ts 11719000:29500000:0:3:282:2:0\n/\n"
         "00c00000:0441:0001\n\ts 12515000:22000000:0:4:192:2:0\n/\n"
         "end\nservices\n"
         "0001:011a0000:07d1:0002:1:0\nA\n"
         "p:P,c:000100,X:1,c:010200,,Y:2,c:050001,C:0d05,C:1830,C:0500,C:0600,C:0700,f:4\n"
         "0002:00c00000:0441:0001:1:0\nB\nc:030300,Z:9,p:Q\n"
         "0003:011a0000:07d1:0002:1:0\nC\np:R,Z:1,Z:2\n"
         "end\n");
    ASSERT_EQ(Services.size(), 3u);
    EXPECT_EQ(Services[0].TpIndex, 0);
    EXPECT_EQ(Services[0].Pids[PID_VIDEO], "0100");
    EXPECT_EQ(Services[0].Pids[PID_AUDIO], "0200");
    EXPECT_EQ(Services[0].Flags, 4);
    EXPECT_EQ(Services[0].ExtraData.Joined(), "X:1,Y:2,c:050001,C:0d05,C:1830,C:0500,C:0600,C:0700");
    EXPECT_EQ(Services[1].TpIndex, 1);
    EXPECT_EQ(Services[1].Provider, "Q");
    EXPECT_EQ(Services[1].Pids[PID_PCR], "0300");
    EXPECT_EQ(Services[1].ExtraData.Joined(), "Z:9");
    EXPECT_EQ(Services[2].TpIndex, 0);
    EXPECT_EQ(Services[2].ExtraData.Joined(), "Z:1,Z:2");
    // Written back in the writer's order (provider, PIDs, kept fields, flags)
    // and its upper-case references.
    const std::string saved = SaveAndRead();
    EXPECT_EQ(saved.substr(saved.find("services\n")),
              "services\n"
              "0001:011A0000:07D1:0002:1:200\nA\n"
              "p:P,c:000100,c:010200,X:1,Y:2,c:050001,C:0d05,C:1830,C:0500,C:0600,C:0700,f:0004\n"
              "0002:00C00000:0441:0001:1:201\nB\np:Q,c:030300,Z:9\n"
              "0003:011A0000:07D1:0002:1:202\nC\np:R,Z:1,Z:2\n"
              "end\n" + ServicesFooter + "\n");
}

TEST_F(ServicesRead, ABadNumberSkipsOnlyThatItem)
{
    Load("eDVB services /4/\ntransponders\n"
         "00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"
         "00c00000:0002:0001\n\ts 11778000:27500000:1:3:192:x:\n/\n"       // inversion
         "00c00000:0003:0001\n\ts 11778000:27500000:1:3:192:2:0:q:1:1:1\n/\n" // system
         "00zz0000:0004:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"       // namespace
         "00c00000:0005:0001\n\ts 11778000:27500000:1:3:19x:2:\n/\n"       // position
         "00c00000:0006:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"
         "00c00000:0007:0001\n\ts 117x8000:27500000:1:3:192:2:\n/\n"    // frequency
         "00c00000:0008:0001\n\ts 11778000:27500000:1:3/4:192:2:\n/\n"  // FEC
         "00c00000:0009:0001\n\t/ 11778000:27500000:1:3:192:2:\n/\n"    // kind
         "end\nservices\n"
         "0001:00c00000:0001:0001:1:0\nA\np:P\n"
         "0002:00c00000:0001:0001:tv:0\nB\np:P\n"        // type
         "0003:00c00000:0001:0001:1:0\nC\np:P,f:zz\n"    // flags
         "00g4:00c00000:0001:0001:1:0\nD\np:P\n"         // SID
         "0006:00c00000:0001:0001:1:0\nF\np:P,c:01x1\n"   // PID
         "0005:00c00000:0006:0001:1:0\nE\np:P,f:1\n"
         "end\n");
    ASSERT_EQ(Transponders.size(), 2u);
    EXPECT_EQ(Transponders[0].Tsid, "0001");
    EXPECT_EQ(Transponders[1].Tsid, "0006");
    ASSERT_EQ(Services.size(), 2u);
    EXPECT_EQ(Services[0].Name, "A");
    EXPECT_EQ(Services[1].Name, "E");
    EXPECT_EQ(Services[1].TpIndex, 1);
    EXPECT_EQ(Services[1].Number, 201);
    EXPECT_EQ(Services[1].Flags, 1);
    // One report line per skipped item.
    EXPECT_EQ(CountOccurrences("\n- Transponder <", ErrorReport), 7u) << ErrorReport;
    EXPECT_EQ(CountOccurrences("\n- Channel <", ErrorReport), 4u) << ErrorReport;
    EXPECT_NE(ErrorReport.find("- Transponder <00c00000:0002:0001> in services file not loaded (bad number)"),
              std::string::npos);
}

TEST_F(ServicesRead, AMissingLineCostsOnlyItsOwnTransponder)
{
    Load("eDVB services /4/\ntransponders\n"
         "00c00000:0001:0001\n/\n"                                              // no data line
         "00c00000:0002:0001\n\ts 11778000:27500000:1:3:192:2:\n"               // no "/"
         "00c00000:0003:0001\n\ts 12000000:27500000:1:3:192:2:\n/\n"
         "end\nservices\nend\n");
    ASSERT_EQ(Transponders.size(), 2u);
    EXPECT_EQ(Transponders[0].Tsid, "0002");
    EXPECT_EQ(Transponders[1].Tsid, "0003");
    EXPECT_EQ(Transponders[1].Frequency, "12000000");
    EXPECT_EQ(CountOccurrences("\n- Transponder <", ErrorReport), 1u) << ErrorReport;
}

TEST_F(ServicesRead, ServicesOnUnknownTranspondersAreDroppedAndReported)
{
    Load("eDVB services /3/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\nend\n"
         "services\n0001:00c00000:0001:0001:1:0\nA\np:P\n0002:00c00000:0009:0001:1:0\nB\np:P\n"
         "0003:00c00000:0001:0001:1:0\nC\np:P\nend\n");
    ASSERT_EQ(Services.size(), 2u);
    EXPECT_EQ(Services[1].Name, "C");
    EXPECT_EQ(Services[1].Number, 201);
    EXPECT_EQ(ErrorReport, "\n- Some channels in services not loaded (no tp reference)");
    EXPECT_EQ(ServiceCounter, 202);
}

TEST_F(ServicesRead, DamagedServicesSectionIsRepairedInMemoryOnly)
{
    const std::string text =
        "eDVB services /4/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\nend\n"
        "services\n"
        "0001:00c00000:0001:0001:1:0\nBroken\nname line\nmore\np:P1,c:000100\n"
        "0002:00c00000:0001:0001:1:0\nWeekend\np:P2\n"
        "end\ntrailer\n";
    cftest::ScratchDir dir;
    const std::string path = (dir / "lamedb").string();
    WriteBytes(path, text);
    EXPECT_EQ(CountServices(path), 2);
    EXPECT_EQ(ErrorReport, "\n- Error(s) in services file");
    ErrorReport.clear();

    LoadTp(Transponders, path);
    LoadChannel(Services, Transponders, true, path);
    ASSERT_EQ(Services.size(), 2u);
    EXPECT_EQ(Services[0].Name, "Broken");
    EXPECT_EQ(Services[0].Provider, "P1");
    EXPECT_EQ(Services[0].Pids[PID_VIDEO], "0100");
    EXPECT_EQ(Services[1].Name, "Weekend");
    EXPECT_EQ(ErrorReport, "\n- Error(s) in services file");
    // The user's file is untouched and no copy was made beside it.
    EXPECT_EQ(ReadBytes(path), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(ServicesRead, HeaderVersionOutsideTwoToFiveIsReported)
{
    for (const std::string header : {"eDVB services /7/", "eDVB services /x/", "eDVB services /", "junk", "",
                                     "eDVB services /1/"}) {
        SCOPED_TRACE(header);
        ClearModel();
        SetEnigmaVer(4);
        Load(header + "\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:0\n/\nend\n"
                      "services\n0001:00c00000:0001:0001:1:0\nA\np:P\nend\n");
        EXPECT_EQ(EnigmaVersion, 4);
        EXPECT_EQ(ErrorReport, "\n- Bad version in services file header : read as ENIGMA 2.4");
        EXPECT_EQ(Transponders.size(), 1u);
        EXPECT_EQ(Services.size(), 1u);
    }
}

TEST_F(ServicesRead, MissingSectionsAndTruncatedFilesLoadWhatIsThere)
{
    struct Case {
        std::string text;
        std::size_t tps, chs;
    };
    const std::string full = "eDVB services /4/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"
                             "00c00000:0002:0001\n\ts 11778000:27500000:1:3:192:2:\n/\nend\n"
                             "services\n0001:00c00000:0001:0001:1:0\nA\np:P\n0002:00c00000:0002:0001:1:0\nB\np:Q\nend\n";
    const Case cases[] = {
        {"", 0, 0},
        {"eDVB services /4/\n", 0, 0},
        {"eDVB services /4/\nservices\n0001:00c00000:0001:0001:1:0\nA\np:P\nend\n", 0, 0},
        // No "end" after the transponders: the services line still ends them.
        {"eDVB services /4/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\n"
         "services\n0001:00c00000:0001:0001:1:0\nA\np:P\nend\n", 1, 1},
        {full.substr(0, full.find("0002:00c00000:0002")), 2, 1},
        {full.substr(0, full.find("p:Q")), 2, 2},
        {full.substr(0, full.find("\ts 11778000", 60)), 1, 0},
        {full.substr(0, full.size() - 4), 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ClearModel();
        Load(c.text);
        EXPECT_EQ(Transponders.size(), c.tps);
        EXPECT_EQ(Services.size(), c.chs);
    }
}

TEST_F(ServicesRead, MissingFileRaises)
{
    cftest::ScratchDir dir;
    ARR_ENIG_TP tps;
    ARR_ENIG_CH chs;
    EXPECT_THROW(LoadTp(tps, (dir / "lamedb").string()), EInOutError);
    EXPECT_THROW(LoadChannel(chs, tps, true, (dir / "lamedb").string()), EInOutError);
}

TEST_F(ServicesRead, CompareSetLeavesTheCounterAlone)
{
    cftest::ScratchDir dir;
    const auto golden = GoldenDir() / "services_v4";
    ServiceCounter = 777;
    LoadTp(CompareTransponders, golden.string());
    LoadChannel(CompareServices, CompareTransponders, false, golden.string());
    EXPECT_EQ(CompareServices.size(), 6u);
    EXPECT_EQ(ServiceCounter, 777);
    EXPECT_TRUE(Services.empty());
}

TEST_F(ServicesRead, ProgressGoesFromZeroToTheCount)
{
    struct View : TSettingsView {
        int min = -1, max = -1, last = -1, calls = 0;
        void ProgressStart(std::int32_t a, std::int32_t b) override { min = a, max = b; }
        void ProgressPosition(std::int32_t p) override { last = p, ++calls; }
    } view;
    SetSettingsView(&view);
    Load(kReceiverV4);
    EXPECT_EQ(view.min, 0);
    EXPECT_EQ(view.max, 3);
    EXPECT_EQ(view.last, 3);
    EXPECT_EQ(view.calls, 3);
}

// The range is counted from the lines before the read; a repaired file has
// fewer entries than lines / 3, and the bar still ends full.
TEST_F(ServicesRead, ProgressOfARepairedFileEndsAtItsEntries)
{
    struct View : TSettingsView {
        int max = -1, last = -1;
        void ProgressStart(std::int32_t, std::int32_t b) override { max = b; }
        void ProgressPosition(std::int32_t p) override { last = p; }
    } view;
    SetSettingsView(&view);
    Load("eDVB services /4/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:\n/\nend\n"
         "services\n"
         "0001:00c00000:0001:0001:1:0\nBroken\nname line\nmore\np:P1,c:000100\n"
         "0002:00c00000:0001:0001:1:0\nWeekend\np:P2\n"
         "end\ntrailer\n");
    SetSettingsView(nullptr);
    EXPECT_EQ(Services.size(), 2u);
    EXPECT_EQ(view.max, 2);
    EXPECT_EQ(view.last, 2);
}

TEST_F(ServicesRead, BinaryJunkNeverCrashes)
{
    std::string junk;
    std::uint32_t x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        junk += static_cast<char>(x >> 24);
    }
    Load(junk);
    Load("eDVB services /4/\ntransponders\n" + junk);
    Load(kReceiverV4.substr(0, 300) + junk);
    SUCCEED();
}

TEST_F(ServicesRead, ServicesReadAfterTheFileChangedComeFromTheNewFile)
{
    // LoadChannel may reuse the text LoadTp read, but never once the file
    // was replaced, rewritten or removed in between.
    const std::string head = "eDVB services /4/\ntransponders\n00c00000:0001:0001\n\ts 11778000:27500000:1:3:192:2:0\n"
                             "/\nend\nservices\n";
    const std::string first = head + "0001:00c00000:0001:0001:1:0\nFirst\np:P\nend\n";
    const std::string other = head + "0001:00c00000:0001:0001:1:0\nOther\np:P\nend\n"; // same size
    const std::string longer = head + "0001:00c00000:0001:0001:1:0\nLonger one\np:P\nend\n";
    cftest::ScratchDir dir;
    const std::string path = (dir / "lamedb").string();
    const auto loadAfter = [&](const std::function<void()>& change) {
        ClearModel();
        WriteBytes(path, first);
        LoadTp(Transponders, path);
        change();
        LoadChannel(Services, Transponders, true, path);
    };

    loadAfter([] {});
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Name, "First");
    // A second read of the same file reads it again.
    LoadChannel(CompareServices, Transponders, false, path);
    ASSERT_EQ(CompareServices.size(), 1u);
    EXPECT_EQ(CompareServices[0].Name, "First");

    loadAfter([&] { WriteFileReplacing(path, other); });
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Name, "Other");

    loadAfter([&] { WriteBytes(path, longer); });
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Name, "Longer one");

    EXPECT_THROW(loadAfter([&] { std::filesystem::remove(path); }), EInOutError);

    // Another file between the two reads does not take the text either.
    const std::string second = (dir / "services").string();
    WriteBytes(second, other);
    ClearModel();
    WriteBytes(path, first);
    LoadTp(Transponders, path);
    LoadChannel(Services, Transponders, true, second);
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Name, "Other");
}
