// Copy and paste of services and entries through the clipboard, between
// two running copies (two clipboard doubles sharing one store) and within
// one: what is matched, what is added, the count message, damaged blocks,
// own names, and what a declined cut leaves on the clipboard.

#include "EditingFixture.h"

#include "app/BlockClipboard.h"
#include "app/BouquetCommands.h"
#include "app/ClipboardBlock.h"
#include "app/ClipboardFormat.h"
#include "app/ServicePaste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cftest::EditingTest;

// Lines another copy wrote: its own set, differing from the fixture.
std::vector<std::string> OtherCopyLines()
{
    return {
        // Service 200's key: already here.
        "00C00000|0437|0001|S|11836500|27500000|1|3|019.2E|2|0|1|2|0|2|6DCA|0|1|412|Das Erste|ARD|0065|0066|0068|0065||0|0|0",
        "TITLE|Films",
        // New service on a known transponder (0438).
        "00C00000|0438|0001|S|11953500|27500000|1|3|019.2E|2|0|1|2|0|2|6D67|1|1|413|3sat|ZDFvision|00D2|00DC|00E6|00D2||0|1|0",
        // New service on a transponder the fixture lacks.
        "00DC0000|0001|0002|S|10832000|22000000|0|3|022.0E|2|0|0|1|0|2|0ABC|7|2|414|Radio 1|SRG||0100|||0101|4|0|1",
    };
}

struct TwoCopies : EditingTest {
    cf::TMemoryClipboard other{clipboard, 77};
    void PutFromOther(const std::vector<std::string>& lines)
    {
        other.SetBlock(ClipboardFormat, EncodeBlock(other.OwnerHandle(), lines));
    }
};

} // namespace

TEST_F(TwoCopies, PasteFromAnotherCopyAddsMissingServicesAndTransponders)
{
    PutFromOther(OtherCopyLines());
    const TClipboardPaste paste = PasteFromClipboard(false);
    ASSERT_TRUE(paste.Present);
    EXPECT_TRUE(paste.OtherCopy);
    EXPECT_TRUE(paste.Result.Skipped.empty());
    EXPECT_EQ(paste.Result.NewServices, (std::vector<std::int32_t>{206, 207}));
    EXPECT_EQ(paste.Result.TranspondersAdded, 1);
    EXPECT_EQ(ServiceCounter, 208);
    ASSERT_EQ(Services.size(), 8u);
    ASSERT_EQ(Transponders.size(), 6u);

    const TY_ENIG_CH& sat3 = Services[6];
    EXPECT_EQ(sat3.Number, 206) << "numbered here, not by the other copy";
    EXPECT_EQ(sat3.TpIndex, 1);
    EXPECT_EQ(sat3.Key, "6D6700C0000004380001" "1");
    EXPECT_EQ(sat3.Name, "3sat");
    EXPECT_EQ(sat3.Black, 1);
    const TY_ENIG_CH& radio = Services[7];
    EXPECT_EQ(radio.TpIndex, 5);
    EXPECT_EQ(radio.ServiceType, 2);
    EXPECT_EQ(radio.Flags, 4);
    EXPECT_EQ(radio.White, 1);
    EXPECT_EQ(radio.Pids, (decltype(TY_ENIG_CH::Pids){"", "0100", "", "", "0101"}));
    const TY_ENIG_TP& tp = Transponders[5];
    EXPECT_EQ(tp.Key, "00DC000000010002");
    EXPECT_EQ(tp.Position, "022.0E");
    EXPECT_EQ(tp.Frequency, "10832000");
    EXPECT_EQ(tp.Modulation, 1);

    EXPECT_FALSE(ClipboardHasOwnFormat()) << "a block is pasted once";
    EXPECT_TRUE(Modified);
    EXPECT_EQ(PasteCountMessage(paste.Result.NewServices.size(), paste.Result.TranspondersAdded),
              "2 channel(s) inserted in main list\r\n\r\n1 transponder inserted");
    EXPECT_EQ(PasteCountMessage(3, 0), "3 channel(s) inserted in main list\r\n");
}

TEST_F(TwoCopies, EnigmaOneSettingsStoreNoDvbS2System)
{
    SetEnigmaVer(2);
    PutFromOther({"00DC0000|0001|0002|S|10832000|22000000|0|3|022.0E|2|0|1|1|0|2|0ABC|7|1|414|X|Y||||||0|0|0"});
    PasteFromClipboard(false);
    EXPECT_EQ(Transponders.back().System, 0);
    EXPECT_EQ(Transponders.back().Modulation, 1);
}

TEST_F(TwoCopies, EntryPasteFromAnotherCopyMatchesByKey)
{
    PutFromOther(OtherCopyLines());
    const TClipboardPaste paste = PasteFromClipboard(true);
    EXPECT_EQ(paste.Result.Entries,
              (ARR_ARR_OF_STRING{{"S", "200", ""}, {"D", "Films", ""}, {"S", "206", ""}, {"S", "207", ""}}));
    InsertEntries(TListKind::TvBouquets, 1, 1, paste.Result.Entries);
    EXPECT_EQ(TvBouquets[1].Entries.size(), 6u);
    EXPECT_EQ(TvBouquets[1].Entries[2], (TY_TEXT_TRIPLE{"D", "Films", ""}));
}

TEST_F(TwoCopies, MalformedSlotsAreSkippedAndReported)
{
    std::vector<std::string> lines = OtherCopyLines();
    lines.insert(lines.begin() + 1, "00C00000|0437|0001|S|x|27500000|1|3|019.2E|2|0|1|2|0|2|6DCB|0|1|1|A|B||||||0|0|0");
    lines.push_back("garbage");
    PutFromOther(lines);
    const TClipboardPaste paste = PasteFromClipboard(true);
    EXPECT_EQ(paste.Result.Skipped,
              (std::vector<std::string>{"line 2: bad tuning data", "line 6: not a service or description line"}));
    EXPECT_EQ(paste.Result.Entries.size(), 4u) << "the good lines still arrive";
    EXPECT_EQ(paste.Result.NewServices.size(), 2u);
    const std::string message = SkippedLinesMessage(paste.Result.Skipped);
    EXPECT_NE(message.find("2 line(s) skipped"), std::string::npos);
    EXPECT_NE(message.find("- line 6: not a service or description line"), std::string::npos);
}

TEST_F(TwoCopies, ShortBlockPastesNothing)
{
    std::vector<std::uint8_t> block = EncodeBlock(77, OtherCopyLines());
    block.resize(block.size() - 1);
    other.SetBlock(ClipboardFormat, block);
    const ARR_ENIG_CH before = Services;
    const TClipboardPaste paste = PasteFromClipboard(true);
    EXPECT_TRUE(paste.Present);
    EXPECT_TRUE(paste.Damaged);
    EXPECT_TRUE(paste.Result.Entries.empty());
    EXPECT_EQ(Services, before);
    EXPECT_FALSE(Modified);
}

TEST_F(EditingTest, SameCopyServicePasteFindsTheServicesAndEmptiesTheClipboard)
{
    EXPECT_EQ(CopyServicesToClipboard({200, 202, 203, 999}), 3u);
    ASSERT_TRUE(ClipboardHasOwnFormat());
    EXPECT_FALSE(ClipboardFromOtherInstance());
    const TClipboardPaste paste = PasteFromClipboard(false);
    EXPECT_FALSE(paste.OtherCopy);
    EXPECT_TRUE(paste.Result.NewServices.empty());
    EXPECT_EQ(Services.size(), 6u);
    EXPECT_FALSE(ClipboardHasOwnFormat());
    EXPECT_FALSE(PasteFromClipboard(true).Present) << "the second paste finds an empty clipboard";
}

TEST_F(EditingTest, EntriesCopiedWithinOneCopyKeepOwnNamesAndTheirVeryService)
{
    // Service 206 shares 201's key; the bouquet names 206, with its own name.
    TY_ENIG_CH twin = Services[1];
    twin.Number = 206;
    twin.Name = "ZDF (second)";
    Services.push_back(twin);
    TvBouquets[0].Entries.push_back({"S", "206", "Twin"});

    EXPECT_EQ(CopyEntriesToClipboard(TakeEntries(TListKind::TvBouquets, 0, {0, 1, 2, 4})), 4u);
    const TClipboardPaste paste = PasteFromClipboard(true);
    EXPECT_EQ(paste.Result.Entries, (ARR_ARR_OF_STRING{{"S", "200", ""},
                                                        {"D", "News", ""},
                                                        {"S", "201", "Zweites"},
                                                        {"S", "206", "Twin"}}));
    EXPECT_TRUE(paste.Result.NewServices.empty());

    // Services copied from the service list name their very service too.
    CopyServicesToClipboard({206});
    EXPECT_EQ(PasteFromClipboard(true).Result.Entries, (ARR_ARR_OF_STRING{{"S", "206", ""}}));
}

TEST_F(TwoCopies, AnotherCopysBlockMatchesByKeyOnly)
{
    // The other copy's line names number 201, but here 201 has another key;
    // the number means nothing across copies.
    TY_ENIG_CH twin = Services[1];
    twin.Number = 206;
    Services.push_back(twin);
    PutFromOther({"00C00000|0437|0001|S|11836500|27500000|1|3|019.2E|2|0|1|2|0|2|6DCA|0|1|201|Das Erste|ARD||||||0|0|0"});
    EXPECT_EQ(PasteFromClipboard(true).Result.Entries, (ARR_ARR_OF_STRING{{"S", "200", ""}}));
}

TEST_F(EditingTest, DeletedServiceIsAddedAgainFromItsLine)
{
    CopyEntriesToClipboard(TakeEntries(TListKind::TvBouquets, 0, {3}));
    Services.erase(Services.begin() + 2); // 202
    const TClipboardPaste paste = PasteFromClipboard(true);
    EXPECT_EQ(paste.Result.NewServices, (std::vector<std::int32_t>{206}));
    EXPECT_EQ(paste.Result.Entries, (ARR_ARR_OF_STRING{{"S", "206", ""}}));
    EXPECT_EQ(Services.back().Name, "Rai 1");
}

TEST_F(EditingTest, DeclinedCutWithdrawsOnlyItsOwnBlock)
{
    CopyServicesToClipboard({200});
    EXPECT_TRUE(WithdrawOwnBlock());
    EXPECT_FALSE(ClipboardHasOwnFormat());

    // Another copy's block, or one this copy put there earlier and then
    // replaced, is none of a declined cut's business.
    cf::TMemoryClipboard other(clipboard, 5);
    CopyServicesToClipboard({200});
    other.SetBlock(ClipboardFormat, EncodeBlock(5, {"TITLE|x"}));
    EXPECT_FALSE(WithdrawOwnBlock());
    EXPECT_TRUE(ClipboardHasOwnFormat());
}

TEST_F(EditingTest, CopiedLinesSkipEntriesWhoseServiceIsGone)
{
    TvBouquets[0].Entries.insert(TvBouquets[0].Entries.begin(), {"S", "999", "ghost"});
    ARR_ARR_OF_STRING kept;
    const std::vector<std::string> lines = EntryLinesOf(TvBouquets[0].Entries, &kept);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "TITLE|News");
    EXPECT_EQ(kept.size(), lines.size());
    EXPECT_EQ(kept[0], (TY_TEXT_TRIPLE{"S", "200", ""}));
}
