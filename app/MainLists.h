#pragma once

// What the main window's three lists show, worked out from the model alone:
// which services each type and satellite filter passes, the satellite
// filter's items, and the rows of the service list, of the provider or
// bouquet list and of one provider's or bouquet's entries. The window only
// copies these rows into its grids, so everything here runs and is tested
// without a window.

#include "settings/Lookups.h"
#include "settings/Model.h"

#include <cstdint>
#include <string>
#include <vector>

// Items of the type filter; the item index is what TypeFilterPasses takes.
inline const std::vector<std::string> TypeFilterItems = {"All", "Television", "Radio", "Data"};
// Item 0 of the satellite filter.
inline constexpr const char* AllSatellitesItem = " All ";
inline constexpr const char* TerrestrialItem = "Terrestrial";
inline const std::vector<std::string> ListControlItems = {"BlackList", "WhiteList"};

// Type filter: 0 every service; 1 types 1, 4 and 25; 2 type 2; 3 type 3 and
// every type above 4 except 25. Types 0 and below pass only "All".
bool TypeFilterPasses(std::int32_t serviceType, int typeIndex);

// The satellite filter's items: " All ", then each position text once, east
// before west and by degrees, as the position text again ("019.2E"); every
// text that is no satellite position ("Terrestrial", "Cable", a damaged
// text) gives the one "Terrestrial" item.
std::vector<std::string> SatFilterItems(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders);

// Satellite filter: item 0 passes every service, any other item a service
// whose transponder's position text equals the item exactly.
bool SatFilterPasses(const std::string& position, int satIndex, const std::string& satItem);

// Position text of a service's transponder; empty when its index is bad.
const std::string& ServicePosition(const TY_ENIG_CH& service, const ARR_ENIG_TP& transponders);

// Which lock mark the lists show and the lock commands set: CB_ListControl's
// choice.
enum class TLockList { Black, White };
inline TLockList LockListOf(bool whiteList) { return whiteList ? TLockList::White : TLockList::Black; }
// Lock mark of a service, provider or bouquet: with the black list its
// black mark; with the white list 1 for an item missing from it. 1 shows
// the "locked" image.
std::int32_t LockMark(std::int32_t black, std::int32_t white, TLockList list);

// Images of the lists' image list.
enum : int {
    ImgUnlocked = 0, ImgLocked = 1, ImgMarker = 2, ImgNew = 3, ImgListUnlocked = 4, ImgListLocked = 5
};

// ---- service list -------------------------------------------------------------
enum : int {
    ServColNew = 0, ServColLock, ServColNumber, ServColType, ServColService, ServColPackage, ServColSynt,
    ServColSat, ServColIndex, ServColCount
};
inline const std::vector<std::string> ServHeaders = {"", "", "Number", "Type", "Service", "Package", "Synt Data",
                                                     "Sat"};
constexpr int DefaultSortColumn = ServColService;

struct TServRow {
    int NewImage = -1; // ImgNew for a service with the NEW flag
    int LockImage = 0;
    std::int32_t Number = 0;
    std::string Type;
    std::string Name;
    std::string Package;
    std::string Synt;
    std::string Sat;
    std::int32_t ServiceIndex = 0; // index into the services array
    // The text a column shows and sorts by (image columns: the image index).
    std::string Text(int column) const;
};

// Indexes of the services passing both filters, in array order.
std::vector<std::int32_t> FilteredServices(const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                                           int typeIndex, int satIndex, const std::string& satItem);
TServRow MakeServRow(const ARR_ENIG_CH& services, std::int32_t index, const ARR_ENIG_TP& transponders,
                     bool whiteList);
// Sorts the rows by a column's text, case-blind and ascending; rows of equal
// text keep their order.
void SortServRows(std::vector<TServRow>& rows, int column);

// ---- provider and bouquet list -----------------------------------------------
enum : int { TypeColImage = 0, TypeColName, TypeColIndex, TypeColCount };
struct TTypeListRow {
    int Image = ImgListUnlocked;
    std::string Name;
    std::int32_t Index = 0; // into Providers, TvBouquets or RadioBouquets
};
// One row per provider (sorted by name, case-blind) or per user bouquet (in
// stored order).
std::vector<TTypeListRow> TypeListRows(TListKind kind, const ARR_ENIG_PR& providers, const ARR_ENIG_UB& tv,
                                       const ARR_ENIG_UB& radio, bool whiteList);
// "Provider : 3 items", "TV User Bouquet : 12 items".
std::string TypeListCaption(TListKind kind, int rows);

// ---- entries of one provider or bouquet ---------------------------------------
enum : int { DetColImage = 0, DetColRunning, DetColName, DetColType, DetColSat, DetColEntry, DetColCount };
inline const std::vector<std::string> DetailHeaders = {"", "", "Name", "Type", "Sat", ""};

struct TDetailRow {
    int Image = 0;
    std::string Running; // running number, user bouquets only
    std::string Name;
    std::string Type;
    std::string Sat;
    std::int32_t Entry = 0;         // member or entry index
    std::int32_t ServiceIndex = -1; // -1 for a marker or a service that does not exist
    bool Marker = false;
};

// What an entry shows whose service is not in the set (it stays in the model).
std::string MissingServiceName(const std::string& number);

// Services are found through `byNumber`, built once for the whole fill.
std::vector<TDetailRow> ProviderDetailRows(const TY_ENIG_PR& provider, const ARR_ENIG_CH& services,
                                           const ARR_ENIG_TP& transponders, const TChNumberIndex& byNumber,
                                           bool whiteList);
// Recounts the bouquet's ServiceCount; running numbers start after
// `channelBase`.
std::vector<TDetailRow> BouquetDetailRows(TY_ENIG_UB& bouquet, const ARR_ENIG_CH& services,
                                          const ARR_ENIG_TP& transponders, const TChNumberIndex& byNumber,
                                          bool whiteList, std::int32_t channelBase);

// ---- navigation ----------------------------------------------------------------
// Rows of the service list that fit: (height - header) div rowHeight, less 3
// when the remainder is above 2 pixels, else less 4; never below 0.
int VisibleRowsFor(int gridHeight, int headerHeight, int rowHeight);
// The row MyScrollTo brings into view after `row`: row + count, kept inside
// 0 .. rowCount - 1 (-1 for an empty grid).
int ScrollTarget(int row, int count, int rowCount);
// Row whose "Number" text is exactly the number's decimal text, or -1.
int FindNumberRow(const std::vector<TServRow>& rows, std::int32_t number);
