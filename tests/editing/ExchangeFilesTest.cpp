// The user-bouquet exchange file and exported.txt: byte for byte on the
// fixture set, a round trip of every TV bouquet of a real set, the names a
// file gives, and the user's clipboard left alone.

#include "EditingFixture.h"

#include "app/BouquetCommands.h"
#include "app/ClipboardFormat.h"
#include "app/ExchangeFiles.h"
#include "common/TestData.h"
#include "folder_io/FolderTestSupport.h"
#include "settings/Errors.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using cftest::EditingTest;
namespace fs = std::filesystem;

// The services behind a bouquet's entries by key, markers by text.
std::vector<std::string> ByKey(const TY_ENIG_UB& ub)
{
    std::map<std::int32_t, std::string> keyOf;
    for (const auto& ch : Services)
        keyOf.emplace(ch.Number, ch.Key);
    std::vector<std::string> v;
    for (const auto& e : ub.Entries)
        v.push_back(e[0] == "S" ? "S" + keyOf[std::stoi(e[1])] : "D" + e[1]);
    return v;
}

} // namespace

TEST_F(EditingTest, ExportedTxtByteForByte)
{
    TvBouquets[0].Entries.push_back({"S", "999", "gone"}); // no service: no line
    const std::string expected =
        "Type,Bouquet Name, Service Name,\tPackage, Satellite position, Frequency ,Polarization, Symbolrate, FEC, "
        "Service ID, TSID. ONID, Namespace, VPID,\tAPID,\tTXTPID,\tPCRPID,\tAC3 PID\t\r\n"
        "\r\n"
        "User Bouquets TV\tFavourites\tDas Erste\tARD\t019.2E\t11836500\tVertical\t27500000\t3/4\t6DCA\t0437\t0001\t00C00000\t0065\t0066\t0068\t0065\t\t\r\n"
        "User Bouquets TV\tFavourites\tZDF\tZDFvision\t019.2E\t11953500\tVertical\t27500000\t3/4\t6D66\t0438\t0001\t00C00000\t0065\t0066\t0068\t0065\t\t\r\n"
        "User Bouquets TV\tFavourites\tRai 1\tRAI\t013.0E\t10714000\tVertical\t27500000\t3/4\t0D49\t0001\t0001\t00820000\t0065\t0066\t0068\t0065\t\t\r\n"
        "User Bouquets TV\tUK\tBBC One\tBSkyB\t028.2E\t10773000\tVertical\t27500000\t3/4\t1B2D\t07D4\t0001\t011A0000\t0065\t0066\t0068\t0065\t\t\r\n"
        "User Bouquets TV\tUK\tDas Erste\tARD\t019.2E\t11836500\tVertical\t27500000\t3/4\t6DCA\t0437\t0001\t00C00000\t0065\t0066\t0068\t0065\t\t\r\n"
        "User Bouquets TV\tRadio\tBayern 3\tARD\t019.2E\t12187500\tVertical\t27500000\t3/4\t0080\t0441\t0001\t00C00000\t0065\t0066\t0068\t0065\t\t\r\n";
    cftest::ScratchDir dir;
    const std::string path = WriteExportedTxt(dir.path().string());
    EXPECT_EQ(path, (dir / "exported.txt").string());
    EXPECT_EQ(cftest::ReadBytes(path), expected);
    EXPECT_EQ(ExportedMessage(path), "Settings exported (CSV) ordered by Bouquet on \r\n" + path);
}

TEST_F(EditingTest, ExchangeFileHoldsOneLinePerEntryWithCrLf)
{
    Services[2].Name = "Rai | Uno";
    const std::string expected =
        "00C00000|0437|0001|S|11836500|27500000|1|3|019.2E|2|0|1|2|0|2|6DCA|0|1|200|Das Erste|ARD|0065|0066|0068|0065||0|0|0\r\n"
        "TITLE|News\r\n"
        "00C00000|0438|0001|S|11953500|27500000|1|3|019.2E|2|0|1|2|0|2|6D66|1|1|201|ZDF|ZDFvision|0065|0066|0068|0065||0|0|0\r\n"
        "00820000|0001|0001|S|10714000|27500000|1|3|013.0E|2|0|1|2|0|2|0D49|2|1|202|Rai %7C Uno|RAI|0065|0066|0068|0065||0|0|0\r\n";
    EXPECT_EQ(FormatUserBouquetFile(TListKind::TvBouquets, 0), expected);
}

TEST_F(EditingTest, ExportAndImportLeaveTheUsersClipboardAlone)
{
    clipboard.SetText("the user's own text");
    cftest::ScratchDir dir;
    const std::string path = (dir / "Favourites.CBU").string();
    ExportUserBouquet(TListKind::TvBouquets, 0, path);
    EXPECT_EQ(clipboard.Text(), "the user's own text");

    const TImportResult imported = ImportUserBouquet(TListKind::RadioBouquets, 0, path);
    EXPECT_EQ(clipboard.Text(), "the user's own text");
    EXPECT_FALSE(ClipboardHasOwnFormat());
    ASSERT_EQ(imported.Index, 0);
    EXPECT_EQ(RadioBouquets[0].Name, "Favourites");
    EXPECT_TRUE(imported.Paste.NewServices.empty()) << "every service is already there";
    EXPECT_EQ(RadioBouquets[0].Entries,
              (ARR_ARR_OF_STRING{{"S", "200", ""}, {"D", "News", ""}, {"S", "201", ""}, {"S", "202", ""}}));
}

TEST_F(EditingTest, ImportIntoProvidersSkipsMarkers)
{
    cftest::ScratchDir dir;
    const std::string path = (dir / "Mix.cbu").string();
    ExportUserBouquet(TListKind::TvBouquets, 0, path);
    const TImportResult imported = ImportUserBouquet(TListKind::Providers, 2, path);
    ASSERT_EQ(imported.Index, 2);
    EXPECT_EQ(Providers[2].Name, "Mix");
    EXPECT_EQ(Providers[2].Members, (ARR_OF_INTEGER{200, 201, 202}));
}

TEST_F(EditingTest, ImportOfAnUnreadableFileChangesNothing)
{
    cftest::ScratchDir dir;
    EXPECT_THROW(ImportUserBouquet(TListKind::TvBouquets, 0, (dir / "missing.CBU").string()), EInOutError);
    EXPECT_EQ(TvBouquets.size(), 2u);
    EXPECT_FALSE(Modified);
}

TEST_F(EditingTest, ImportedLinesAreCheckedOneByOne)
{
    cftest::ScratchDir dir;
    const fs::path path = dir / "Odd.CBU";
    cftest::WriteBytes(path,
                       "TITLE|A %7C B\n"
                       "\r\n"
                       "not a line\r\n" +
                           std::string(300, 'x') + "\r\n"
                           "00DC0000|0001|0002|S|10832000|22000000|0|3|022.0E|2|0|0|1|0|2|0ABC|7|2|414|Radio 1|SRG||0100|||0101|4|0|1");
    const TImportResult imported = ImportUserBouquet(TListKind::TvBouquets, 1, path.string());
    EXPECT_EQ(imported.Paste.Skipped,
              (std::vector<std::string>{"line 2: not a service or description line", "line 3: not a service or description line"}));
    EXPECT_EQ(imported.Paste.NewServices, (std::vector<std::int32_t>{206}));
    EXPECT_EQ(imported.Paste.TranspondersAdded, 1);
    EXPECT_EQ(TvBouquets[1].Name, "Odd");
    EXPECT_EQ(TvBouquets[1].Entries, (ARR_ARR_OF_STRING{{"D", "A | B", ""}, {"S", "206", ""}}));
}

TEST_F(EditingTest, BouquetNameFromTheFileName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/Sport.CBU", "Sport"}, {"Sport.cbu", "Sport"},     {"/x/My.Films.CBU", "My.Films"},
        {"/x/Sport.txt", "Sport.txt"},  {"/x/Sport", "Sport"},      {"/x/CBU", "CBU"},
        {"/x/Sport.CBUX", "Sport.CBUX"}, {"/x/.CBU", ".CBU"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(BouquetNameFromFile(path), name) << path;
}

TEST(ExchangeRealSet, EveryTvBouquetExportedAndImportedAgainIsTheSame)
{
    cftest::ResetModel();
    cftest::ScratchDir dir;
    cftest::CopyTree(cftest::RealSet("enigma2-v4-multisat"), dir / "set");
    ASSERT_TRUE(cftest::LoadFolder(dir / "set"));
    const std::size_t services = Services.size();
    const std::size_t transponders = Transponders.size();
    const std::size_t bouquets = TvBouquets.size();
    ASSERT_GT(bouquets, 10u);
    std::size_t markers = 0;
    for (std::size_t i = 0; i < bouquets; ++i) {
        const std::string path = (dir / ("b" + std::to_string(i) + ".CBU")).string();
        ExportUserBouquet(TListKind::TvBouquets, static_cast<std::int32_t>(i), path);
        // Appended at the end, so the exported ones keep their indexes.
        const TImportResult imported = ImportUserBouquet(TListKind::TvBouquets, 100000, path);
        ASSERT_EQ(imported.Index, static_cast<std::int32_t>(TvBouquets.size() - 1));
        EXPECT_TRUE(imported.Paste.Skipped.empty()) << TvBouquets[i].Name;
        EXPECT_EQ(TvBouquets.back().Name, "b" + std::to_string(i));
        EXPECT_EQ(ByKey(TvBouquets.back()), ByKey(TvBouquets[i])) << TvBouquets[i].Name;
        for (const auto& e : TvBouquets[i].Entries)
            markers += e[0] == "D";
    }
    EXPECT_GT(markers, 0u) << "the set has markers to carry";
    EXPECT_EQ(Services.size(), services) << "no new services";
    EXPECT_EQ(Transponders.size(), transponders);
    cftest::ResetModel();
}
