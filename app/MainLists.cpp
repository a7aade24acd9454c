#include "app/MainLists.h"

#include "grid/CellSort.h"
#include "platform/SameText.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <charconv>

namespace {

// The key under which a position text sorts: its direction letter first, so
// that all east positions come before all west ones, then the digits. Every
// text that is no satellite position sorts as "Terrestrial" does.
std::string SatSortKey(const std::string& p)
{
    if (p.size() >= 6 && p.find('.') != std::string::npos)
        return std::string(1, p[5]) + p.substr(0, 5);
    return "rTerre";
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The grids' own case-blind order, so a list sorted here reads as the grid
// would sort it.
bool LessNoCase(const std::string& a, const std::string& b)
{
    return cellsort::CompareCodeUnitsFolded(a, b) < 0;
}

const std::string EmptyText;

} // namespace

bool TypeFilterPasses(std::int32_t t, int typeIndex)
{
    switch (typeIndex) {
    case 0:
        return true;
    case 1:
        return t == 1 || t == 4 || t == 25;
    case 2:
        return t == 2;
    case 3:
        return t == 3 || (t > 4 && t != 25);
    default:
        return false;
    }
}

std::vector<std::string> SatFilterItems(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders)
{
    std::vector<std::string> keys;
    std::vector<std::string> seenPositions;
    for (const auto& s : services) {
        const std::string& p = ServicePosition(s, transponders);
        if (p.empty() && (s.TpIndex < 0 || static_cast<std::size_t>(s.TpIndex) >= transponders.size()))
            continue;
        if (std::find(seenPositions.begin(), seenPositions.end(), p) != seenPositions.end())
            continue;
        seenPositions.push_back(p);
        const std::string key = SatSortKey(p);
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
    std::vector<std::string> items{AllSatellitesItem};
    bool terrestrial = false;
    for (const auto& k : keys) {
        if (k.find('.') != std::string::npos) {
            items.push_back(k.substr(1, 5) + k[0]);
        } else if (!terrestrial) {
            items.push_back(TerrestrialItem);
            terrestrial = true;
        }
    }
    return items;
}

bool SatFilterPasses(const std::string& position, int satIndex, const std::string& satItem)
{
    return satIndex <= 0 || position == satItem;
}

const std::string& ServicePosition(const TY_ENIG_CH& s, const ARR_ENIG_TP& transponders)
{
    if (s.TpIndex < 0 || static_cast<std::size_t>(s.TpIndex) >= transponders.size())
        return EmptyText;
    return transponders[static_cast<std::size_t>(s.TpIndex)].Position;
}

std::int32_t LockMark(std::int32_t black, std::int32_t white, TLockList list)
{
    if (list == TLockList::White)
        return white == 0 ? 1 : 0;
    return black != 0 ? 1 : 0;
}

std::string TServRow::Text(int column) const
{
    switch (column) {
    case ServColNew:
        return NewImage < 0 ? std::string() : std::to_string(NewImage);
    case ServColLock:
        return std::to_string(LockImage);
    case ServColNumber:
        return std::to_string(Number);
    case ServColType:
        return Type;
    case ServColService:
        return Name;
    case ServColPackage:
        return Package;
    case ServColSynt:
        return Synt;
    case ServColSat:
        return Sat;
    default:
        return {};
    }
}

std::vector<std::int32_t> FilteredServices(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                                           int typeIndex, int satIndex, const std::string& satItem)
{
    std::vector<std::int32_t> out;
    out.reserve(services.size());
    for (std::size_t i = 0; i < services.size(); ++i) {
        const auto& s = services[i];
        if (TypeFilterPasses(s.ServiceType, typeIndex) &&
            SatFilterPasses(ServicePosition(s, transponders), satIndex, satItem))
            out.push_back(static_cast<std::int32_t>(i));
    }
    return out;
}

TServRow MakeServRow(const ARR_ENIG_CH& services, std::int32_t index, const ARR_ENIG_TP& transponders,
                     bool whiteList)
{
    const auto& s = services[static_cast<std::size_t>(index)];
    TServRow r;
    r.NewImage = (s.Flags & FLAG_NEW) ? ImgNew : -1;
    r.LockImage = LockMark(s.Black, s.White, LockListOf(whiteList));
    r.Number = s.Number;
    r.Type = ServiceTypeText(s.ServiceType);
    r.Name = s.Name;
    r.Package = s.Provider;
    r.Synt = TransponderSummary(s.TpIndex, transponders);
    r.Sat = ServicePosition(s, transponders);
    r.ServiceIndex = index;
    return r;
}

void SortServRows(std::vector<TServRow>& rows, int column)
{
    if (column == ServColNumber) {
        // Texts of the numbers, compared as the grid compares text.
        std::vector<std::pair<std::string, TServRow>> keyed;
        keyed.reserve(rows.size());
        for (auto& r : rows)
            keyed.emplace_back(std::to_string(r.Number), std::move(r));
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = std::move(keyed[i].second);
        return;
    }
    auto field = [column](const TServRow& r) -> const std::string* {
        switch (column) {
        case ServColType: return &r.Type;
        case ServColService: return &r.Name;
        case ServColPackage: return &r.Package;
        case ServColSynt: return &r.Synt;
        case ServColSat: return &r.Sat;
        default: return nullptr;
        }
    };
    if (column == ServColNew || column == ServColLock) {
        std::stable_sort(rows.begin(), rows.end(), [column](const TServRow& a, const TServRow& b) {
            return column == ServColNew ? a.NewImage < b.NewImage : a.LockImage < b.LockImage;
        });
        return;
    }
    if (column < 0 || column >= ServColCount)
        return;
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const TServRow& a, const TServRow& b) { return LessNoCase(*field(a), *field(b)); });
}

std::vector<TTypeListRow> TypeListRows(TListKind kind, const ARR_ENIG_PR& providers, const ARR_ENIG_UB& tv,
                                       const ARR_ENIG_UB& radio, bool whiteList)
{
    std::vector<TTypeListRow> rows;
    if (kind == TListKind::Providers) {
        rows.reserve(providers.size());
        for (std::size_t i = 0; i < providers.size(); ++i)
            rows.push_back({LockMark(providers[i].Black, providers[i].White, LockListOf(whiteList)) + ImgListUnlocked,
                            providers[i].Name, static_cast<std::int32_t>(i)});
        std::stable_sort(rows.begin(), rows.end(),
                         [](const TTypeListRow& a, const TTypeListRow& b) { return LessNoCase(a.Name, b.Name); });
        return rows;
    }
    const ARR_ENIG_UB& list = kind == TListKind::TvBouquets ? tv : radio;
    rows.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        rows.push_back({LockMark(list[i].Black, list[i].White, LockListOf(whiteList)) + ImgListUnlocked, list[i].Name,
                        static_cast<std::int32_t>(i)});
    return rows;
}

std::string TypeListCaption(TListKind kind, int rows)
{
    const std::string count = std::to_string(rows) + " items";
    switch (kind) {
    case TListKind::Providers:
        return "Provider : " + count;
    case TListKind::RadioBouquets:
        return RadioListName + " : " + count;
    case TListKind::TvBouquets:
    default:
        return TvListName + " : " + count;
    }
}

std::string MissingServiceName(const std::string& number)
{
    return "(service " + number + " not in the list)";
}

namespace {

std::int32_t ServiceOf(const std::string& numberText, const ARR_ENIG_CH& services, const TChNumberIndex& byNumber)
{
    std::int32_t number = 0;
    const char* b = numberText.data();
    const char* e = b + numberText.size();
    auto [end, ec] = std::from_chars(b, e, number);
    if (ec != std::errc() || end != e)
        return -1;
    const std::int32_t i = byNumber.Find(number);
    if (i < 0 || static_cast<std::size_t>(i) >= services.size() || services[static_cast<std::size_t>(i)].Number != number)
        return -1;
    return i;
}

void FillServiceColumns(TDetailRow& row, const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                        bool whiteList)
{
    const auto& s = services[static_cast<std::size_t>(row.ServiceIndex)];
    row.Image = (s.Flags & FLAG_NEW) ? ImgNew : LockMark(s.Black, s.White, LockListOf(whiteList));
    row.Type = ServiceTypeText(s.ServiceType);
    row.Sat = ServicePosition(s, transponders);
}

} // namespace

std::vector<TDetailRow> ProviderDetailRows(const TY_ENIG_PR& provider, const ARR_ENIG_CH& services,
                                           const ARR_ENIG_TP& transponders, const TChNumberIndex& byNumber,
                                           bool whiteList)
{
    std::vector<TDetailRow> rows;
    rows.reserve(provider.Members.size());
    for (std::size_t m = 0; m < provider.Members.size(); ++m) {
        TDetailRow r;
        r.Entry = static_cast<std::int32_t>(m);
        r.ServiceIndex = ServiceOf(std::to_string(provider.Members[m]), services, byNumber);
        if (r.ServiceIndex >= 0) {
            r.Name = services[static_cast<std::size_t>(r.ServiceIndex)].Name;
            FillServiceColumns(r, services, transponders, whiteList);
        } else {
            r.Name = MissingServiceName(std::to_string(provider.Members[m]));
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<TDetailRow> BouquetDetailRows(TY_ENIG_UB& bouquet, const ARR_ENIG_CH& services,
                                          const ARR_ENIG_TP& transponders, const TChNumberIndex& byNumber,
                                          bool whiteList, std::int32_t channelBase)
{
    std::vector<TDetailRow> rows;
    rows.reserve(bouquet.Entries.size());
    bouquet.ServiceCount = 0;
    for (std::size_t e = 0; e < bouquet.Entries.size(); ++e) {
        const auto& entry = bouquet.Entries[e];
        const TText16& kind = entry[0];
        const TText16& text = entry[1];
        const TText16& own = entry[2];
        TDetailRow r;
        r.Entry = static_cast<std::int32_t>(e);
        if (kind == UB_ENTRY_MARKER) {
            r.Marker = true;
            r.Image = ImgMarker;
            r.Name = text;
            r.Type = "--";
            r.Sat = "-----";
            rows.push_back(std::move(r));
            continue;
        }
        // A service entry counts in the numbering whether or not its service
        // is still in the set, as it stays in the bouquet's file.
        ++bouquet.ServiceCount;
        r.Running = std::to_string(channelBase + bouquet.ServiceCount);
        r.ServiceIndex = ServiceOf(text, services, byNumber);
        if (r.ServiceIndex >= 0) {
            r.Name = own.empty() ? services[static_cast<std::size_t>(r.ServiceIndex)].Name.view() : own.view();
            FillServiceColumns(r, services, transponders, whiteList);
        } else {
            r.Name = MissingServiceName(text);
            r.Image = ImgUnlocked;
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

int VisibleRowsFor(int gridHeight, int headerHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    const int body = std::max(0, gridHeight - headerHeight);
    const int rows = body / rowHeight - (body % rowHeight > 2 ? 3 : 4);
    return std::max(0, rows);
}

int ScrollTarget(int row, int count, int rowCount)
{
    if (rowCount <= 0)
        return -1;
    const long long target = static_cast<long long>(std::max(row, 0)) + std::max(count, 0);
    return static_cast<int>(std::min<long long>(target, rowCount - 1));
}

int FindNumberRow(const std::vector<TServRow>& rows, std::int32_t number)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Number == number)
            return static_cast<int>(i);
    return -1;
}
