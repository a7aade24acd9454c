#include "app/ServicePaste.h"

#include "app/ArrayRoom.h"
#include "app/ClipboardBlock.h"
#include "app/ServiceCommands.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <unordered_map>

namespace {

const TY_ENIG_TP* TpOf(const TY_ENIG_CH& ch)
{
    if (ch.TpIndex < 0 || static_cast<std::size_t>(ch.TpIndex) >= Transponders.size())
        return nullptr;
    return &Transponders[static_cast<std::size_t>(ch.TpIndex)];
}

// The model's lookups for one paste, kept current while it adds. Only the
// keys and numbers the pasted lines name are ever asked for, so the tables
// hold just those: one pass over the model fills them (the first service or
// transponder with a key wins, as a search from the front would find), and
// nothing is allocated per model element.
class TPasteIndexes {
public:
    TPasteIndexes(const std::vector<TLineSlot>& slots, const ARR_ARR_OF_STRING* copied, bool byNumber)
    {
        for (std::size_t n = 0; n < slots.size(); ++n) {
            if (slots[n].Kind != TLineSlot::TKind::Service)
                continue;
            services_.emplace(slots[n].Ch.Key, -1);
            transponders_.emplace(slots[n].Tp.Key, -1);
            if (!byNumber)
                continue;
            numbers_.emplace(slots[n].Ch.Number, -1);
            std::int32_t number = 0;
            if (copied && (*copied)[n].size() >= 2 && TryParseInt((*copied)[n][1], number))
                numbers_.emplace(number, -1);
        }
        for (std::size_t i = 0; i < Services.size(); ++i) {
            Fill(services_, Services[i].Key, static_cast<std::int32_t>(i));
            if (byNumber)
                Fill(numbers_, Services[i].Number, static_cast<std::int32_t>(i));
        }
        for (std::size_t i = 0; i < Transponders.size(); ++i)
            Fill(transponders_, Transponders[i].Key, static_cast<std::int32_t>(i));
    }

    // Number of the first service with that key, or -1.
    std::int32_t ServiceByKey(const std::string& key) const
    {
        const std::int32_t i = Get(services_, key);
        return i < 0 ? -1 : Services[static_cast<std::size_t>(i)].Number;
    }
    // `number` when a service has it and its key is `key`, else -1.
    std::int32_t ServiceByNumber(std::int32_t number, const std::string& key) const
    {
        const std::int32_t i = Get(numbers_, number);
        if (i < 0 || Services[static_cast<std::size_t>(i)].Key != key)
            return -1;
        return number;
    }
    std::int32_t Transponder(const std::string& key) const { return Get(transponders_, key); }
    void AddedService()
    {
        const auto i = static_cast<std::int32_t>(Services.size() - 1);
        Fill(services_, Services.back().Key, i);
        Fill(numbers_, Services.back().Number, i);
    }
    void AddedTransponder()
    {
        Fill(transponders_, Transponders.back().Key, static_cast<std::int32_t>(Transponders.size() - 1));
    }

private:
    template <typename Map, typename Key>
    static void Fill(Map& map, const Key& key, std::int32_t index)
    {
        const auto it = map.find(key);
        if (it != map.end() && it->second < 0)
            it->second = index;
    }
    template <typename Map, typename Key>
    static std::int32_t Get(const Map& map, const Key& key)
    {
        const auto it = map.find(key);
        return it == map.end() ? -1 : it->second;
    }

    std::unordered_map<std::string, std::int32_t> services_;
    std::unordered_map<std::string, std::int32_t> transponders_;
    std::unordered_map<std::int32_t, std::int32_t> numbers_;
};

// The service the line stands for in this running copy, or -1.
std::int32_t SameCopyService(const TPasteIndexes& idx, const TLineSlot& slot, const TY_TEXT_TRIPLE* copied,
                             std::string& ownName)
{
    std::int32_t number = 0;
    if (copied && copied->size() >= 2 && (*copied)[0] == UB_ENTRY_SERVICE && TryParseInt((*copied)[1], number) &&
        idx.ServiceByNumber(number, slot.Ch.Key) >= 0) {
        ownName = (*copied)[2];
        return number;
    }
    return idx.ServiceByNumber(slot.Ch.Number, slot.Ch.Key);
}

} // namespace

std::vector<std::string> ServiceLinesOf(const std::vector<std::int32_t>& numbers)
{
    std::vector<std::string> lines;
    if (numbers.empty())
        return lines;
    lines.reserve(numbers.size());
    const TChNumberIndex index(Services);
    for (std::int32_t n : numbers) {
        const std::int32_t i = index.Find(n);
        if (i < 0)
            continue;
        const TY_ENIG_CH& ch = Services[static_cast<std::size_t>(i)];
        if (const TY_ENIG_TP* tp = TpOf(ch))
            lines.push_back(ServiceLine(ch, *tp, ch.TpIndex));
    }
    return lines;
}

std::vector<std::string> EntryLinesOf(const ARR_ARR_OF_STRING& entries, ARR_ARR_OF_STRING* kept)
{
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    if (kept)
        kept->clear();
    const TChNumberIndex index(Services);
    for (const auto& e : entries) {
        if (e.size() < 2)
            continue;
        if (e[0] == UB_ENTRY_MARKER) {
            lines.push_back(MarkerLine(e[1]));
        } else {
            std::int32_t number = 0;
            const std::int32_t i = TryParseInt(e[1], number) ? index.Find(number) : -1;
            if (i < 0)
                continue;
            const TY_ENIG_CH& ch = Services[static_cast<std::size_t>(i)];
            const TY_ENIG_TP* tp = TpOf(ch);
            if (!tp)
                continue;
            lines.push_back(ServiceLine(ch, *tp, ch.TpIndex));
        }
        if (kept)
            kept->push_back(e);
    }
    return lines;
}

TPasteResult PasteLines(const std::vector<std::string>& lines, const TPasteOptions& options)
{
    TPasteResult result;
    const ARR_ARR_OF_STRING* copied =
        options.SameCopy && options.CopiedEntries && options.CopiedEntries->size() == lines.size()
            ? options.CopiedEntries
            : nullptr;
    std::vector<TLineSlot> slots;
    slots.reserve(lines.size());
    for (const std::string& line : lines)
        slots.push_back(ParseLine(line));
    TPasteIndexes idx(slots, copied, options.SameCopy);
    // Every service line may become a new service with a new transponder.
    const auto serviceLines = static_cast<std::size_t>(std::count_if(
        slots.begin(), slots.end(), [](const TLineSlot& s) { return s.Kind == TLineSlot::TKind::Service; }));
    MakeRoomFor(Services, serviceLines);
    MakeRoomFor(Transponders, serviceLines);
    if (options.EntryMode)
        result.Entries.reserve(lines.size());

    for (std::size_t n = 0; n < slots.size(); ++n) {
        if (options.Progress && (n % 256 == 0))
            options.Progress(n);
        TLineSlot& slot = slots[n];
        if (slot.Kind == TLineSlot::TKind::Invalid) {
            result.Skipped.push_back("line " + std::to_string(n + 1) + ": " + slot.Problem);
            continue;
        }
        if (slot.Kind == TLineSlot::TKind::Marker) {
            if (options.EntryMode)
                result.Entries.push_back({UB_ENTRY_MARKER, std::move(slot.MarkerText), std::string()});
            continue;
        }

        std::string ownName;
        std::int32_t number =
            options.SameCopy ? SameCopyService(idx, slot, copied ? &(*copied)[n] : nullptr, ownName) : -1;
        if (number < 0)
            number = idx.ServiceByKey(slot.Ch.Key);
        if (number < 0) {
            std::int32_t tpIndex = idx.Transponder(slot.Tp.Key);
            if (tpIndex < 0) {
                TY_ENIG_TP tp = std::move(slot.Tp);
                // Enigma 1 settings know no DVB-S2.
                if (EnigmaVersion == VER_ENIGMA1)
                    tp.System = 0;
                Transponders.push_back(std::move(tp));
                idx.AddedTransponder();
                tpIndex = static_cast<std::int32_t>(Transponders.size() - 1);
                ++result.TranspondersAdded;
            }
            TY_ENIG_CH ch = std::move(slot.Ch);
            ch.Number = ServiceCounter++;
            ch.TpIndex = tpIndex;
            Services.push_back(std::move(ch));
            idx.AddedService();
            number = Services.back().Number;
            result.NewServices.push_back(number);
        }
        if (options.EntryMode)
            result.Entries.push_back({UB_ENTRY_SERVICE, std::to_string(number), std::move(ownName)});
    }
    if (options.Progress)
        options.Progress(lines.size());
    if (!result.NewServices.empty())
        Modified = true;
    return result;
}

std::string PasteCountMessage(std::size_t services, std::int32_t transponders)
{
    std::string text = std::to_string(services) + " channel(s) inserted in main list\r\n";
    if (transponders > 0)
        text += "\r\n" + std::to_string(transponders) + " transponder inserted";
    return text;
}

std::string SkippedLinesMessage(const std::vector<std::string>& skipped)
{
    std::string text = std::to_string(skipped.size()) + " line(s) skipped : not a service or description line";
    const std::size_t shown = std::min<std::size_t>(skipped.size(), 20);
    for (std::size_t i = 0; i < shown; ++i)
        text += "\r\n- " + skipped[i];
    if (skipped.size() > shown)
        text += "\r\n- ... and " + std::to_string(skipped.size() - shown) + " more";
    return text;
}
