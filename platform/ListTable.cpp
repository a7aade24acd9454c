#include "platform/ListTable.h"

#include "platform/ImageList.h"

#include <QAbstractTableModel>
#include <algorithm>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPixmap>
#include <QTableView>

namespace cf {

namespace {
const TListCell EmptyCell;
}

class TListTable::Model : public QAbstractTableModel {
public:
    explicit Model(TListTable& owner) : owner_(owner) {}
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : owner_.RowCount();
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : owner_.ColumnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::DecorationRole)
            return {};
        const TListCell c = owner_.Cell(index.column(), index.row());
        if (role == Qt::DisplayRole)
            return c.Text.empty() ? QVariant() : QVariant(QString::fromStdString(c.Text));
        if (role == Qt::DecorationRole && c.Image >= 0 && owner_.images_ && c.Image < owner_.images_->Count()) {
            return QPixmap::fromImage(owner_.images_->GetBitmap(c.Image).Image());
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section < owner_.ColumnCount())
            return QString::fromStdString(owner_.Column(section).Caption);
        return {};
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }
    void RowsChanged(int first, int last)
    {
        emit dataChanged(index(first, 0), index(last, owner_.ColumnCount() - 1));
    }

private:
    TListTable& owner_;
};

TListTable::TListTable(QWidget* parent) : TWinControl(parent)
{
    model_ = new Model(*this);
    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(rowHeight_);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->setWordWrap(false);
    view_->setTabKeyNavigation(false);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    setFocusProxy(view_);
    QObject::connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, view_, [this](int section) {
        if (OnHeaderClick)
            OnHeaderClick(this, section);
    });
    QObject::connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, view_,
                     [this](const QModelIndex& current, const QModelIndex&) {
                         if (!settingRow_ && current.isValid() && OnSelectCell)
                             OnSelectCell(this, current.row());
                     });
    QObject::connect(view_, &QTableView::doubleClicked, view_, [this](const QModelIndex&) {
        if (OnDblClick)
            OnDblClick(this);
    });
}

TListTable::~TListTable()
{
    view_->setModel(nullptr);
    delete model_;
}

void TListTable::SetColumns(const std::vector<TListColumn>& columns)
{
    columns_ = columns;
    model_->Reset();
    for (int c = 0; c < ColumnCount(); ++c) {
        view_->setColumnWidth(c, columns_[static_cast<std::size_t>(c)].Width);
        view_->setColumnHidden(c, !columns_[static_cast<std::size_t>(c)].Visible);
    }
}

void TListTable::SetImages(TCustomImageList* images)
{
    images_ = images;
    view_->setIconSize(images ? QSize(images->Width(), images->Height()) : QSize());
    view_->viewport()->update();
}

void TListTable::SetRows(std::vector<TListRowCells> rows)
{
    rows_ = std::move(rows);
    const int n = static_cast<int>(rows_.size());
    SetSource(n, [this](int col, int row) {
        const auto& r = rows_[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(col) < r.size() ? r[static_cast<std::size_t>(col)] : EmptyCell;
    });
}

void TListTable::SetSource(int rowCount, TCellSource source)
{
    settingRow_ = true;
    rowCount_ = source ? std::max(rowCount, 0) : 0;
    source_ = std::move(source);
    model_->Reset();
    settingRow_ = false;
}

TListCell TListTable::Cell(int col, int row) const
{
    if (row < 0 || row >= rowCount_ || col < 0 || col >= ColumnCount() || !source_)
        return EmptyCell;
    return source_(col, row);
}

void TListTable::RowsChanged(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, rowCount_ - 1);
    if (first <= last && ColumnCount() > 0)
        model_->RowsChanged(first, last);
}

int TListTable::Row() const
{
    const QModelIndex i = view_->selectionModel()->currentIndex();
    return i.isValid() ? i.row() : -1;
}

std::vector<int> TListTable::SelectedRows() const
{
    std::vector<int> out;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows())
        out.push_back(i.row());
    std::sort(out.begin(), out.end());
    return out;
}

void TListTable::SelectRow(int row)
{
    settingRow_ = true;
    if (row < 0 || row >= RowCount()) {
        view_->selectionModel()->clearSelection();
        view_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        view_->selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                            QItemSelectionModel::Rows);
    }
    settingRow_ = false;
}

void TListTable::ScrollToRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    view_->scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
}

int TListTable::TopRow() const
{
    const int r = view_->rowAt(0);
    return r < 0 ? 0 : r;
}

void TListTable::SetDefaultRowHeight(int h)
{
    if (h <= 0)
        return;
    rowHeight_ = h;
    view_->verticalHeader()->setDefaultSectionSize(h);
}

int TListTable::HeaderHeight() const { return view_->horizontalHeader()->height(); }

void TListTable::SetGridLines(bool on) { view_->setShowGrid(on); }
bool TListTable::GridLines() const { return view_->showGrid(); }

void TListTable::Resize()
{
    TWinControl::Resize();
    const TRect r = ClientRect();
    const TPoint o = ClientOffset();
    view_->setGeometry(o.X, o.Y, r.Right - r.Left, r.Bottom - r.Top);
}

bool TListTable::eventFilter(QObject* o, QEvent* e)
{
    if (o == view_ && e->type() == QEvent::KeyPress && OnKeyDown) {
        auto* k = static_cast<QKeyEvent*>(e);
        uint16_t key = VirtualKeyOf(*k);
        if (key != 0) {
            OnKeyDown(this, key, ShiftStateOf(unsigned(k->modifiers()), 0));
            if (key == 0)
                return true;
        }
    }
    return TWinControl::eventFilter(o, e);
}

} // namespace cf
