#pragma once

// A plain list of rows and columns (text or a picture of an image list per
// cell, full-row multi-selection, a clickable header) for windows that show
// lists before they get a grid of their own. Rows are handed over whole; the
// list keeps them and paints only the rows in view, so a hundred thousand
// rows cost one copy.

#include "platform/Controls.h"
#include "platform/Keys.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTableView;

namespace cf {

class TCustomImageList;

struct TListCell {
    std::string Text;
    int Image = -1; // picture of the image list, -1 none
};
using TListRowCells = std::vector<TListCell>;

struct TListColumn {
    std::string Caption;
    int Width = 80;
    bool Visible = true;
};

class TListTable : public TWinControl {
public:
    explicit TListTable(QWidget* parent = nullptr);
    ~TListTable() override;

    void SetColumns(const std::vector<TListColumn>& columns);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const TListColumn& Column(int c) const { return columns_[static_cast<std::size_t>(c)]; }
    void SetImages(TCustomImageList* images);

    // Replaces every row; the selection is cleared.
    void SetRows(std::vector<TListRowCells> rows);
    // Shows `rowCount` rows whose cells `source` gives on demand (the caller
    // keeps the data alive until the next SetRows or SetSource).
    using TCellSource = std::function<TListCell(int col, int row)>;
    void SetSource(int rowCount, TCellSource source);
    void ClearRows() { SetRows({}); }
    int RowCount() const { return rowCount_; }
    // The cell; an empty one outside the list.
    TListCell Cell(int col, int row) const;
    // Repaints rows whose data changed under the source.
    void RowsChanged(int first, int last);

    // The current row (-1 with none), the rows selected, in ascending order.
    int Row() const;
    std::vector<int> SelectedRows() const;
    // Makes `row` current and the only one selected; a row outside the list
    // clears the selection.
    void SelectRow(int row);
    // Scrolls so that `row` is in view (nothing for a row outside the list).
    void ScrollToRow(int row);
    int TopRow() const;
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int h);
    int HeaderHeight() const;
    void SetGridLines(bool on);
    bool GridLines() const;

    // Events: a row made current by the user, a double click on a row, a key
    // (key set to 0 when handled), a click on a column's header.
    std::function<void(TListTable*, int row)> OnSelectCell;
    std::function<void(TListTable*)> OnDblClick;
    std::function<void(TListTable*, uint16_t& key, TShiftState shift)> OnKeyDown;
    std::function<void(TListTable*, int column)> OnHeaderClick;

    QTableView* View() const { return view_; }

    void Resize() override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    class Model;
    std::vector<TListColumn> columns_;
    std::vector<TListRowCells> rows_;
    TCellSource source_;
    int rowCount_ = 0;
    QPointer<TCustomImageList> images_;
    QTableView* view_ = nullptr;
    Model* model_ = nullptr;
    int rowHeight_ = 18;
    bool settingRow_ = false;
};

} // namespace cf
