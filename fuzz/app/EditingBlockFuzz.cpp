// The clipboard block reader and the .CBU line reader on arbitrary bytes,
// pasting into a small model: whatever comes in, every line is either
// refused or read whole, a service line written again reads back as the
// same service, and the model stays consistent (every entry names a
// service, every service a transponder).

#include "app/BouquetCommands.h"
#include "app/ClipboardBlock.h"
#include "app/ExchangeFiles.h"
#include "app/ServicePaste.h"
#include "settings/Unit_lib.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <unordered_set>

namespace {

void SmallModel()
{
    ClearModel();
    EmptyCutBuffers();
    SetEnigmaVer(4);
    TY_ENIG_TP tp;
    tp.Namespace = "00C00000";
    tp.Tsid = "0437";
    tp.Onid = "0001";
    tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    tp.Kind = "S";
    tp.Frequency = "11836500";
    tp.SymbolRate = "27500000";
    tp.Polarisation = "1";
    tp.Fec = "3";
    tp.Position = "019.2E";
    Transponders = {tp};
    TY_ENIG_CH ch;
    ch.Sid = "6DCA";
    ch.ServiceType = 1;
    ch.Key = ch.Sid + tp.Key + "1";
    ch.Number = 200;
    ch.Name = "Das Erste";
    Services = {ch};
    ServiceCounter = 201;
    TvBouquets = {{"Fav", "0000", 0, 0, 1, {{"S", "200", ""}}}};
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void PasteAndCheck(const std::vector<std::string>& lines, bool sameCopy)
{
    for (const std::string& line : lines) {
        const TLineSlot slot = ParseLine(line);
        // Lines a file may hold beyond the slot size are read, but only
        // those that fit a slot must survive being written again.
        if (slot.Kind != TLineSlot::TKind::Service || line.size() > MaxLineBytes)
            continue;
        const TLineSlot again = ParseLine(ServiceLine(slot.Ch, slot.Tp, 0));
        Check(again.Kind == TLineSlot::TKind::Service);
        Check(again.Ch.Key == slot.Ch.Key && again.Tp == slot.Tp);
        Check(slot.Ch.Name.starts_with(again.Ch.Name) && slot.Ch.Provider.starts_with(again.Ch.Provider));
        Check(again.Ch.Pids == slot.Ch.Pids && again.Ch.Flags == slot.Ch.Flags);
    }
    TPasteOptions options;
    options.EntryMode = true;
    options.SameCopy = sameCopy;
    const TPasteResult result = PasteLines(lines, options);
    InsertEntries(TListKind::TvBouquets, 0, 1, result.Entries);
    InsertEntries(TListKind::Providers, 0, 0, result.Entries); // no provider: nothing

    std::unordered_set<std::int32_t> numbers;
    for (const auto& ch : Services) {
        Check(ch.TpIndex >= 0 && static_cast<std::size_t>(ch.TpIndex) < Transponders.size());
        numbers.insert(ch.Number);
    }
    for (const auto& e : TvBouquets[0].Entries)
        Check(e.size() == 3 && (e[0] == "D" || numbers.count(std::stoi(e[1])) == 1));
    Check(result.Entries.size() + result.Skipped.size() == lines.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SmallModel();
    const std::span<const std::uint8_t> bytes(data, size);
    TDecodedBlock block;
    if (DecodeBlock(bytes, block)) {
        Check(block.Lines.size() * BlockSlotSize + BlockHeaderSize <= size);
        PasteAndCheck(block.Lines, size % 2 == 0);
    }
    SmallModel();
    PasteAndCheck(UserBouquetLines(std::string(reinterpret_cast<const char*>(data), size)), false);
    return 0;
}
