// The editing commands on a copy of a real settings set, saved and loaded
// again: what the files hold after each kind of edit, and that a second
// load gives back exactly what was edited.

#include "app/BlockClipboard.h"
#include "app/BouquetCommands.h"
#include "app/ClipboardBlock.h"
#include "app/ClipboardFormat.h"
#include "app/ServiceCommands.h"
#include "app/ServicePaste.h"
#include "common/TestData.h"
#include "folder_io/FolderTestSupport.h"
#include "platform/Clipboard.h"
#include "settings/BouquetFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The model in a form two loads can be compared in: services by key (their
// numbers change with every load), bouquet entries by their service's key.
std::vector<std::string> Canonical()
{
    std::map<std::int32_t, std::string> keyOf;
    std::vector<std::string> out;
    for (const auto& ch : Services) {
        keyOf.emplace(ch.Number, ch.Key);
        const TY_ENIG_TP& tp = Transponders.at(static_cast<std::size_t>(ch.TpIndex));
        out.push_back("ch " + ch.Key + "|" + ch.Name + "|" + ch.Provider + "|" + std::to_string(ch.Flags & 0x7F) +
                      "|" + tp.Key + "|" + tp.Frequency + "|" + tp.Position);
    }
    for (const auto* list : {&TvBouquets, &RadioBouquets})
        for (const auto& ub : *list) {
            out.push_back("ub " + ub.Name);
            for (const auto& e : ub.Entries)
                out.push_back(e[0] == "S" ? "  S " + keyOf[std::stoi(e[1])] + (e[2].empty() ? "" : " as " + e[2])
                                          : "  D " + e[1]);
        }
    return out;
}

std::vector<std::string> FileLines(const fs::path& p)
{
    std::vector<std::string> lines;
    std::string text = cftest::ReadBytes(p);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The "#SERVICE" lines of a user-bouquet file, markers included.
std::vector<std::string> ServiceLinesOfFile(const fs::path& p)
{
    std::vector<std::string> v;
    for (const auto& l : FileLines(p))
        if (l.starts_with("#SERVICE"))
            v.push_back(l);
    return v;
}

// "sid:tsid:onid:namespace:" of a service key, as a bouquet reference
// names the service.
std::string RefOf(const std::string& key)
{
    return ":" + key.substr(0, 4) + ":" + key.substr(12, 4) + ":" + key.substr(16, 4) + ":" + key.substr(4, 8) + ":";
}

// "sid:namespace:tsid:onid:" in lower case, as the services section of
// lamedb names the service.
std::string LamedbRefOf(const std::string& key)
{
    return ToLowerAscii(key.substr(0, 4) + ":" + key.substr(4, 8) + ":" + key.substr(12, 4) + ":" + key.substr(16, 4) + ":");
}

} // namespace

TEST(EditingRoundTrip, EditsOnARealSetAreSavedAndLoadAgainEqual)
{
    cftest::ResetModel();
    cf::TMemoryClipboard self(1);
    cf::TMemoryClipboard other(self, 2);
    cf::SetClipboard(&self);
    cftest::ScratchDir dir;
    cftest::CopyTree(cftest::RealSet("enigma2-v4-multisat"), dir / "set");
    ASSERT_TRUE(cftest::LoadFolder(dir / "set"));
    ASSERT_GE(TvBouquets.size(), 4u);
    EXPECT_FALSE(Modified);

    // Lines "the other copy" will paste: two services of this set with new
    // ids (one on a transponder this set lacks), taken before any edit.
    std::vector<std::string> otherLines;
    {
        TY_ENIG_CH a = Services[0];
        a.Sid = "FFF1";
        TY_ENIG_CH b = Services[1];
        b.Sid = "FFF2";
        b.Name = "Pasted | two";
        TY_ENIG_TP newTp = Transponders[static_cast<std::size_t>(b.TpIndex)];
        newTp.Tsid = "7777";
        newTp.Key = newTp.Namespace + newTp.Tsid + newTp.Onid;
        otherLines = {ServiceLine(a, Transponders[static_cast<std::size_t>(a.TpIndex)], 0), MarkerLine("From afar"),
                      ServiceLine(b, newTp, 9)};
    }

    // Drag two services into bouquet 1 at row 2.
    const std::int32_t dragA = Services[10].Number, dragB = Services[11].Number;
    const std::string keyA = Services[10].Key, keyB = Services[11].Key;
    ASSERT_EQ(InsertEntries(TListKind::TvBouquets, 1, 2,
                            {{"S", std::to_string(dragA)}, {"S", std::to_string(dragB)}}), 2u);
    EXPECT_TRUE(Modified);
    // Rename bouquet 1 and entry 0 of it; a marker before entry 1.
    RenameElement(TListKind::TvBouquets, 1, "Renamed Bouquet");
    RenameEntry(TListKind::TvBouquets, 1, 0, "My own name");
    InsertIntoDetails(TListKind::TvBouquets, 1, 1, "D", "--- News ---");
    // Delete a service that bouquet 0 holds (and the edited bouquet not).
    std::int32_t doomed = -1;
    for (const auto& e : TvBouquets[0].Entries) {
        const bool inEdited = std::any_of(TvBouquets[1].Entries.begin(), TvBouquets[1].Entries.end(),
                                          [&](const TY_TEXT_TRIPLE& f) { return f[0] == "S" && f[1] == e[1]; });
        if (e[0] == "S" && !inEdited) {
            doomed = std::stoi(e[1]);
            break;
        }
    }
    ASSERT_GE(doomed, 0);
    std::string doomedKey;
    for (const auto& ch : Services)
        if (ch.Number == doomed)
            doomedKey = ch.Key;
    ASSERT_EQ(DeleteServices({doomed}), 1u);
    // Cut bouquet 3 and paste it before bouquet 0.
    const std::string movedName = TvBouquets[3].Name;
    DeleteBouquet(TListKind::TvBouquets, {3});
    ASSERT_EQ(PasteCutElements(TListKind::TvBouquets, 0), 0);
    // Paste the other copy's block into the renamed bouquet (now index 2), at its top.
    other.SetBlock(ClipboardFormat, EncodeBlock(2, otherLines));
    const std::size_t transpondersBefore = Transponders.size();
    const TClipboardPaste paste = PasteFromClipboard(true);
    ASSERT_TRUE(paste.OtherCopy);
    EXPECT_EQ(paste.Result.NewServices.size(), 2u);
    EXPECT_EQ(paste.Result.TranspondersAdded, 1);
    EXPECT_EQ(Transponders.size(), transpondersBefore + 1);
    EXPECT_EQ(PasteCountMessage(paste.Result.NewServices.size(), paste.Result.TranspondersAdded),
              "2 channel(s) inserted in main list\r\n\r\n1 transponder inserted");
    ASSERT_EQ(TvBouquets[2].Name, "Renamed Bouquet");
    InsertEntries(TListKind::TvBouquets, 2, 0, paste.Result.Entries);

    const std::vector<std::string> edited = Canonical();
    fs::create_directories(dir / "saved");
    ASSERT_TRUE(cftest::SaveFolder(dir / "saved", 4));

    // The written files show each edit.
    const fs::path movedFile = dir / "saved" / ("userbouquet." + UserBouquetId(0) + ".tv");
    EXPECT_EQ(FileLines(movedFile).at(0), "#NAME " + movedName);
    const fs::path renamed = dir / "saved" / ("userbouquet." + UserBouquetId(2) + ".tv");
    const std::vector<std::string> lines = FileLines(renamed);
    EXPECT_EQ(lines.at(0), "#NAME Renamed Bouquet");
    const std::vector<std::string> refs = ServiceLinesOfFile(renamed);
    // Rows: 0..2 pasted (service, marker, service), 3 the renamed entry,
    // 4 the new marker, 5 the old entry 1, 6 and 7 the dragged services.
    ASSERT_GE(refs.size(), 8u);
    EXPECT_NE(refs[1].find("1:64:"), std::string::npos);
    EXPECT_NE(refs[4].find("1:64:"), std::string::npos);
    EXPECT_NE(ToUpperAscii(refs[6]).find(RefOf(keyA)), std::string::npos) << refs[6];
    EXPECT_NE(ToUpperAscii(refs[7]).find(RefOf(keyB)), std::string::npos) << refs[7];
    const std::string text = cftest::ReadBytes(renamed);
    EXPECT_NE(text.find("#DESCRIPTION: --- News ---\n"), std::string::npos);
    EXPECT_NE(text.find("#DESCRIPTION: My own name\n"), std::string::npos);
    EXPECT_NE(text.find("#DESCRIPTION: From afar\n"), std::string::npos);
    const std::string lamedb = cftest::ReadBytes(dir / "saved" / "lamedb");
    EXPECT_NE(lamedb.find("Pasted | two"), std::string::npos);
    const std::string lower = ToLowerAscii(lamedb);
    EXPECT_NE(lower.find("\n" + LamedbRefOf(keyA)), std::string::npos) << "a kept service is found this way";
    EXPECT_EQ(lower.find("\n" + LamedbRefOf(doomedKey)), std::string::npos) << "the deleted service is gone";
    for (const fs::directory_entry& f : fs::directory_iterator(dir / "saved"))
        if (f.path().filename().string().starts_with("userbouquet.")) {
            EXPECT_EQ(ToUpperAscii(cftest::ReadBytes(f.path())).find(RefOf(doomedKey)), std::string::npos)
                << "the deleted service is gone from " << f.path().filename();
        }

    // Load again: equal.
    cftest::ResetModel();
    ASSERT_TRUE(cftest::LoadFolder(dir / "saved"));
    EXPECT_EQ(Canonical(), edited);
    cf::SetClipboard(nullptr);
    cftest::ResetModel();
}
