#pragma once
// Settings, states and event signatures shared by the grid control, its
// painters and the code that routes keys, mouse and editing into it.

#include <cstdint>
#include <functional>
#include <string>

#include "grid/GridTypes.h"
#include "platform/Keys.h"
#include "platform/Types.h"

class QObject;
class TCellRef;

using cf::TPoint;
using cf::TRect;

// ---- option sets (bit i is the i-th member) --------------------------------

enum TGridOption : std::uint32_t {
  goCanHideColumn = 1u << 0,
  goDisableColumnMoving = 1u << 1,
  goDisableKeys = 1u << 2,
  goEscClearEdit = 1u << 3,
  goFooter = 1u << 4,
  goGrid = 1u << 5,
  goHeader = 1u << 6,
  goIndicator = 1u << 7,
  goInput = 1u << 8,
  goLockFixedCols = 1u << 9,
  goMultiSelect = 1u << 10,
  goRowResizing = 1u << 11,
  goRowMoving = 1u << 12,
  goSecondClickEdit = 1u << 13,
  goSelectFullRow = 1u << 14,
  goUseDefaultValues = 1u << 15,
  goInplaceEditEvents = 1u << 16,
};
using TGridOptions = std::uint32_t;

enum TAppearanceOption : std::uint16_t {
  ao3DGridLines = 1u << 0,
  aoAlphaBlendedSelection = 1u << 1,
  aoBoldTextSelection = 1u << 2,
  aoDontFillCells = 1u << 3,
  aoHideFocus = 1u << 4,
  aoHideSelection = 1u << 5,
  aoHighlightSlideCells = 1u << 6,
  aoHintMarks = 1u << 7,
  aoIndicateSelectedCell = 1u << 8,
  aoIndicateSortedColumn = 1u << 9,
};
using TAppearanceOptions = std::uint16_t;

enum TSlideOption : std::uint8_t { soFrame = 1u << 0, soHideSelection = 1u << 1 };
using TSlideOptions = std::uint8_t;

enum TGridStyle : std::uint8_t { gsReport, gsSlides };
enum TGridLinesStyle : std::uint8_t {
  lsNormal,
  lsActiveHorzOnly,
  lsActiveRows,
  lsFramed,
  lsHorizontalOnly,
  lsVerticalOnly
};
enum THeaderStyle : std::uint8_t {
  hsAuto,
  hsFlatBorders,
  hsOffice2007,
  hsOffice2010,
  hsOldStyle,
  hsOutlook,
  hsVista
};
constexpr int kHeaderStyleCount = 7;
enum TSelectionMoveDirection : std::uint8_t { mdNone, mdUp, mdDown, mdLeft, mdRight };
enum TSortedStyle : std::uint8_t { soDefault, soDarker, soWhite };
enum TInputEnterMode : std::uint8_t { imAllways, imEditing };
enum THomeEndBehaviour : std::uint8_t { hebTopBottom, hebLeftRight };

// State of a cell as it is drawn.
enum TCellStateBit : std::uint8_t {
  csBoldText = 1u << 0,  // highlighted with aoBoldTextSelection
  csEmpty = 1u << 1,     // a cell drawn below the last row
  csFocused = 1u << 2,   // the grid or its editor has the focus, aoHideFocus off
  csSelected = 1u << 3,  // highlighted
};
using TCellState = std::uint8_t;

enum TSlideStateBit : std::uint8_t { ssFramed = 1u << 0, ssCurrent = 1u << 1 };
using TSlideState = std::uint8_t;

// AChangeType of OnDataChange.
enum TDataChange : int {
  dcColumn = 0,          // a column was added, moved or the set cleared
  dcRowAdded = 1,
  dcColumnInserted = 2,
  dcRowInserted = 3,
  dcColumnDeleted = 4,
  dcRowDeleted = 5,
};

// What moved the current cell sideways (OnSelectionMove).
enum TMoveSelectionKey : int { mskProgram = 0, mskArrow = 1, mskTab = 2, mskEnter = 3 };

// The grid's areas, numbered alike everywhere.
enum TGridArea : int { gaBody = 1, gaFooter = 2, gaHeader = 3, gaIndicator = 4, gaInput = 5, gaClient = 0 };

// Modifiers as keys and mouse deliver them (bit 0 Shift, bit 2 Ctrl).
using cf::TShiftState;
using cf::ssShift;
using cf::ssCtrl;
using cf::TMouseButton;

// ---- events (sender first) ---------------------------------------------------

using TGridNotifyEvent = std::function<void(QObject* Sender)>;
using TGridCellEvent = std::function<void(QObject* Sender, int ACol, int ARow)>;
using TGridCellTextEvent = std::function<void(QObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TGridCellVarTextEvent = std::function<void(QObject* Sender, int ACol, int ARow, std::string& Value)>;
using TGridCellAcceptEvent = std::function<void(QObject* Sender, int ACol, int ARow, bool& Accept)>;
using TGridEditAcceptEvent =
    std::function<void(QObject* Sender, int ACol, int ARow, const std::string& Value, bool& Accept)>;
using TGridColumnEvent = std::function<void(QObject* Sender, int ACol)>;
using TGridIndexEvent = std::function<void(QObject* Sender, int Index)>;
using TGridRowMovedEvent = std::function<void(QObject* Sender, int FromPos, int ToPos)>;
using TGridRowMoveEvent = std::function<void(QObject* Sender, int FromPos, int ToPos, bool& Accept)>;
using TGridCellColoringEvent = std::function<void(QObject* Sender, int ACol, int ARow, TColor& CellColor,
                                                  TColor& GridColor, TCellState CellState)>;
using TGridRowHeightEvent = std::function<void(QObject* Sender, int Index, int Height)>;
using TGridMeasureRowHeightEvent = std::function<void(QObject* Sender, int Index, int& RowHeight)>;
using TGridFooterValueEvent = std::function<void(QObject* Sender, int ACol, double& Value)>;
using TGridColumnMoveEvent = std::function<void(QObject* Sender, int ACol, int FromPos, int ToPos)>;
using TGridCustomDrawCellEvent =
    std::function<void(QObject* Sender, int ACol, int ARow, TRect CellRect, TCellState CellState)>;
using TGridDataChangeEvent = std::function<void(QObject* Sender, int AChangeType, int AIndex)>;
using TGridDrawCellBackgroundEvent = std::function<void(QObject* Sender, int ACol, int ARow, TRect CellRect,
                                                        TCellState CellState, bool& DefaultDrawing)>;
using TGridAcceptEvent = std::function<void(QObject* Sender, bool& Accept)>;
using TGridSelectionMoveEvent = std::function<void(QObject* Sender, int& ACol, int ARow, TMoveSelectionKey Key)>;
using TGridSlideColoringEvent = std::function<void(QObject* Sender, int Index, TColor& SlideColor,
                                                   TColor& GridColor, TSlideState SlideState)>;
using TGridSortColumnEvent = std::function<void(QObject* Sender, int ACol, bool Ascending)>;
using TGridCellFormatingEvent = std::function<void(QObject* Sender, int ACol, int ARow, TColor& TextColor,
                                                   TFontStyles& FontStyle, TCellState CellState)>;
using TGridCompareEvent =
    std::function<void(QObject* Sender, const TCellRef& First, const TCellRef& Second, int& Compare)>;
