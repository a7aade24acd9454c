// The block and its lines as another running copy or a .CBU file sees them:
// the byte layout, the 29 fields of a service line, lines that must fit a
// slot, names holding "|", and damaged blocks and lines.

#include "EditingFixture.h"

#include "app/ClipboardBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cftest::EditingTest;

// Service 200 of the fixture as a line, written out by hand field by field.
const std::string kLine200 =
    "00C00000|0437|0001|S|11836500|27500000|1|3|019.2E|2|0|1|2|0|2|"
    "6DCA|0|1|200|Das Erste|ARD|0065|0066|0068|0065||0|0|0";

std::vector<std::uint8_t> Bytes(std::initializer_list<int> v)
{
    std::vector<std::uint8_t> out;
    for (int b : v)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

} // namespace

TEST_F(EditingTest, ServiceLineHasTheTwentyNineFieldsInOrder)
{
    EXPECT_EQ(ServiceLine(Services[0], Transponders[0], 0), kLine200);
}

TEST_F(EditingTest, BlockLayoutIsOwnerCountAndLengthPrefixedSlots)
{
    const std::vector<std::uint8_t> block = EncodeBlock(0x01020304, {"TITLE|News", "ab"});
    ASSERT_EQ(block.size(), 8u + 2 * 256);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 8), Bytes({4, 3, 2, 1, 2, 0, 0, 0}));
    EXPECT_EQ(block[8], 10);
    EXPECT_EQ(std::string(block.begin() + 9, block.begin() + 19), "TITLE|News");
    EXPECT_EQ(block[8 + 256], 2);
    EXPECT_EQ(std::string(block.begin() + 8 + 257, block.begin() + 8 + 259), "ab");

    const std::vector<std::uint8_t> negativeOwner = EncodeBlock(-2, {});
    EXPECT_EQ(negativeOwner, Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
}

TEST_F(EditingTest, BlockReadsBackItsOwnerAndLines)
{
    TDecodedBlock block;
    ASSERT_TRUE(DecodeBlock(EncodeBlock(-7, {kLine200, "TITLE|Sport", ""}), block));
    EXPECT_EQ(block.Owner, -7);
    EXPECT_EQ(block.Lines, (std::vector<std::string>{kLine200, "TITLE|Sport", ""}));
}

TEST_F(EditingTest, DamagedBlocksGiveNoLines)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> twoSlotsCut = EncodeBlock(1, {"a", "b"});
    twoSlotsCut.resize(8 + 256 + 255);
    std::vector<std::uint8_t> hugeCount = Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
    hugeCount.resize(8 + 256);
    const Case cases[] = {
        {"empty", {}},
        {"owner only", Bytes({1, 0, 0, 0})},
        {"header without count bytes", Bytes({1, 0, 0, 0, 1, 0})},
        {"negative count", Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"count of 1 with no slot", Bytes({1, 0, 0, 0, 1, 0, 0, 0})},
        {"second slot one byte short", twoSlotsCut},
        {"count far beyond the size", hugeCount},
    };
    for (const Case& c : cases) {
        TDecodedBlock block;
        block.Lines = {"left over"};
        EXPECT_FALSE(DecodeBlock(c.bytes, block)) << c.what;
        EXPECT_TRUE(block.Lines.empty()) << c.what;
    }
}

TEST_F(EditingTest, LineOverSlotSizeIsShortenedInTheNameKeepingEveryField)
{
    // The fixed part of service 200's line without the name.
    const std::string head = "00C00000|0437|0001|S|11836500|27500000|1|3|019.2E|2|0|1|2|0|2|6DCA|0|1|200|";
    const std::string tail = "|ARD|0065|0066|0068|0065||0|0|0";
    Services[0].Name = std::string(200, 'N');
    const std::string line = ServiceLine(Services[0], Transponders[0], 0);
    ASSERT_EQ(line.size(), 255u);
    EXPECT_EQ(line, head + std::string(255 - head.size() - tail.size(), 'N') + tail);

    const TLineSlot slot = ParseLine(line);
    ASSERT_EQ(slot.Kind, TLineSlot::TKind::Service);
    EXPECT_EQ(slot.Ch.Provider, "ARD");
    EXPECT_EQ(slot.Ch.White, 0);
    EXPECT_EQ(slot.Ch.Pids[PID_PCR], "0065");
}

TEST_F(EditingTest, ShorteningNeverSplitsACharacterOrAnEscape)
{
    struct Case {
        const char* what;
        std::string name;
        std::string provider;
    };
    std::string twoByte;
    for (int i = 0; i < 150; ++i)
        twoByte += "\xC3\x89"; // É
    std::string bars;
    for (int i = 0; i < 100; ++i)
        bars += "a|";
    const Case cases[] = {
        {"two-byte characters", twoByte, "ARD"},
        {"names full of bars", bars, "ARD"},
        {"name and provider both long", std::string(150, 'n'), std::string(150, 'p')},
    };
    for (const Case& c : cases) {
        Services[0].Name = c.name;
        Services[0].Provider = c.provider;
        const std::string line = ServiceLine(Services[0], Transponders[0], 0);
        EXPECT_LE(line.size(), 255u) << c.what;
        const TLineSlot slot = ParseLine(line);
        ASSERT_EQ(slot.Kind, TLineSlot::TKind::Service) << c.what;
        EXPECT_TRUE(IsValidUtf8(slot.Ch.Name.view())) << c.what;
        EXPECT_TRUE(c.name.starts_with(slot.Ch.Name)) << c.what;
        EXPECT_TRUE(c.provider.starts_with(slot.Ch.Provider)) << c.what;
        EXPECT_FALSE(slot.Ch.Name.empty()) << c.what;
        EXPECT_EQ(slot.Ch.Pids[PID_VIDEO], "0065") << c.what;
    }
    // The name goes first: a provider is cut only once the name could not
    // give enough.
    Services[0].Name = std::string(150, 'n');
    Services[0].Provider = "ARD";
    EXPECT_EQ(ParseLine(ServiceLine(Services[0], Transponders[0], 0)).Ch.Provider, "ARD");
}

TEST_F(EditingTest, BarsAndPercentsInTextsTravelIntact)
{
    struct Case {
        std::string name;
        std::string provider;
    };
    const Case cases[] = {
        {"News | Sport", "A|B"}, {"100%", "%7C"}, {"|", "|"}, {"%25 off", "50% | more"},
    };
    for (const Case& c : cases) {
        Services[0].Name = c.name;
        Services[0].Provider = c.provider;
        const TLineSlot slot = ParseLine(ServiceLine(Services[0], Transponders[0], 0));
        ASSERT_EQ(slot.Kind, TLineSlot::TKind::Service) << c.name;
        EXPECT_EQ(slot.Ch.Name, c.name);
        EXPECT_EQ(slot.Ch.Provider, c.provider);
        EXPECT_EQ(slot.Ch.Pids[PID_VIDEO], "0065") << "fields after the name stay in place";

        const TLineSlot marker = ParseLine(MarkerLine(c.name));
        ASSERT_EQ(marker.Kind, TLineSlot::TKind::Marker);
        EXPECT_EQ(marker.MarkerText, c.name);
    }
    EXPECT_EQ(MarkerLine("A|B"), "TITLE|A%7CB");
}

TEST_F(EditingTest, LinesWrittenWithoutEscapesReadAsTheyAre)
{
    // A marker line with a bar in it, as a copy that does not escape writes
    // it, keeps its whole text; "%" without a code after it stays.
    EXPECT_EQ(ParseLine("TITLE|Sport|Live").MarkerText, "Sport|Live");
    EXPECT_EQ(ParseLine("TITLE|").MarkerText, "");
    EXPECT_EQ(ParseLine("title|50%").MarkerText, "50%");
}

TEST_F(EditingTest, ServiceLineFieldsReadBack)
{
    const TLineSlot slot = ParseLine(kLine200);
    ASSERT_EQ(slot.Kind, TLineSlot::TKind::Service);
    EXPECT_EQ(slot.Tp.Key, "00C0000004370001");
    EXPECT_EQ(slot.Tp.Kind, "S");
    EXPECT_EQ(slot.Tp.Frequency, "11836500");
    EXPECT_EQ(slot.Tp.Position, "019.2E");
    EXPECT_EQ(slot.Tp.Inversion, 2);
    EXPECT_EQ(slot.Tp.System, 1);
    EXPECT_EQ(slot.Tp.Modulation, 2);
    EXPECT_EQ(slot.Tp.Pilot, 2);
    EXPECT_EQ(slot.Ch.Key, "6DCA00C00000043700011");
    EXPECT_EQ(slot.Ch.Number, 200);
    EXPECT_EQ(slot.Ch.Name, "Das Erste");
    EXPECT_EQ(slot.Ch.Pids[PID_AC3], "");
    // A QB-One terrestrial transponder's "t" is not turned into "T".
    std::string qbone = kLine200;
    qbone.replace(qbone.find("|S|"), 3, "|t|");
    EXPECT_EQ(ParseLine(qbone).Tp.Kind, "t");
    // Lower-case hex ids are read as the model holds them.
    const TLineSlot lower = ParseLine("00c00000|04a7|0001|S|1|2|0|3|019.2E|0|0|0|0|0|0|6dca|0|1|1|x|y|||||00ff|0|0|0");
    ASSERT_EQ(lower.Kind, TLineSlot::TKind::Service);
    EXPECT_EQ(lower.Ch.Key, "6DCA00C0000004A700011");
    EXPECT_EQ(lower.Ch.Pids[PID_AC3], "00FF");
}

TEST_F(EditingTest, MalformedLinesAreRefusedWithAReason)
{
    auto with = [](int field, const std::string& value) {
        std::vector<std::string> f;
        std::string rest = kLine200;
        for (std::size_t bar; (bar = rest.find('|')) != std::string::npos; rest = rest.substr(bar + 1))
            f.push_back(rest.substr(0, bar));
        f.push_back(rest);
        f[static_cast<std::size_t>(field)] = value;
        std::string line;
        for (std::size_t i = 0; i < f.size(); ++i)
            line += (i ? "|" : "") + f[i];
        return line;
    };
    const std::string cases[] = {
        "",
        "TITLE",
        "hello",
        kLine200 + "|1",                      // 30 fields
        kLine200.substr(0, kLine200.rfind('|')), // 28 fields
        with(0, "00C0000"),                   // namespace of 7 digits
        with(0, "00C0000G"),
        with(1, "437"),
        with(2, "00001"),
        with(15, "6DCAX"),
        with(15, ""),
        with(3, ""),
        with(3, "SS"),
        with(4, "11836.500"),
        with(5, ""),
        with(6, "V"),
        with(7, "x"),
        with(8, ""),
        with(9, "256"),
        with(12, "-1"),
        with(17, "TV"),
        with(18, "99999999999"),
        with(21, "65"),
        with(25, "GGGG"),
        with(26, "-1"),
        with(27, "2"),
        with(28, "x"),
    };
    for (const std::string& line : cases) {
        const TLineSlot slot = ParseLine(line);
        EXPECT_EQ(slot.Kind, TLineSlot::TKind::Invalid) << line;
        EXPECT_FALSE(slot.Problem.empty()) << line;
    }
}
