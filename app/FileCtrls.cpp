#include "app/FileCtrls.h"

#include "app/DirListing.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace cf {

// ---- rows -----------------------------------------------------------------

TFileListBase::TFileListBase(QWidget* parent) : TWinControl(parent)
{
    Color = clWindow;
    SetBorderStyle(TBorderStyle::bsSingle);
    SetTabStop(true);
}

int TFileListBase::RowHeight() { return Canvas().TextHeight("Wg") + 2; }

int TFileListBase::VisibleRows() { return std::max(1, ClientHeight() / std::max(1, RowHeight())); }

int TFileListBase::RowAt(int y)
{
    const int row = topIndex_ + y / std::max(1, RowHeight());
    return y >= 0 && row < Count() ? row : -1;
}

void TFileListBase::SetRows(std::vector<std::string> items, std::vector<int> indents, int selected)
{
    items_ = std::move(items);
    indents_ = std::move(indents);
    indents_.resize(items_.size(), 0);
    itemIndex_ = selected < Count() ? selected : -1;
    topIndex_ = 0;
    ScrollIntoView(itemIndex_);
    Invalidate();
}

void TFileListBase::SetItemIndex(int i)
{
    if (i < -1 || i >= Count() || i == itemIndex_)
        return;
    itemIndex_ = i;
    ScrollIntoView(i);
    Invalidate();
}

void TFileListBase::ScrollIntoView(int row)
{
    if (row < 0)
        return;
    const int rows = VisibleRows();
    if (row < topIndex_)
        topIndex_ = row;
    else if (row >= topIndex_ + rows)
        topIndex_ = row - rows + 1;
}

void TFileListBase::Paint(TCanvas& c)
{
    const int w = ClientWidth(), h = ClientHeight();
    c.FillRect(TRect(0, 0, w, h), Color);
    const int rh = RowHeight();
    c.Brush.Style = bsClear;
    for (int row = topIndex_, y = 0; row < Count() && y < h; ++row, y += rh) {
        const int x = 2 + indents_[row] * 8;
        const bool selected = row == itemIndex_;
        if (selected)
            c.FillRect(TRect(x, y, std::min(w, x + c.TextWidth(items_[row]) + 4), y + rh), clHighlight);
        c.Font.Color = selected ? clHighlightText : clWindowText;
        c.TextOut(x + 2, y + 1, items_[row]);
    }
}

void TFileListBase::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    SetFocus();
    const int row = RowAt(y);
    if (row >= 0)
        SetItemIndex(row);
}

bool TFileListBase::MouseWheel(TShiftState, int delta, TPoint)
{
    const int maxTop = std::max(0, Count() - VisibleRows());
    topIndex_ = std::clamp(topIndex_ - delta / 120 * 3, 0, maxTop);
    Invalidate();
    return true;
}

void TFileListBase::KeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (Count() == 0)
        return;
    if (key == VK_UP)
        SetItemIndex(std::max(0, itemIndex_ - 1));
    else if (key == VK_DOWN)
        SetItemIndex(std::min(Count() - 1, itemIndex_ + 1));
    else if (key == VK_HOME)
        SetItemIndex(0);
    else if (key == VK_END)
        SetItemIndex(Count() - 1);
}

// ---- files ----------------------------------------------------------------

TFileListBox::TFileListBox(QWidget* parent) : TFileListBase(parent) {}

void TFileListBox::SetDirectory(const std::string& dir)
{
    dir_ = dir;
    SetRows(FilesOf(dir), {}, -1);
}

// ---- folders --------------------------------------------------------------

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : TFileListBase(parent) {}

void TDirectoryListBox::SetDirectory(const std::string& dir)
{
    std::error_code ec;
    fs::path p = fs::path(dir).lexically_normal();
    if (p.is_relative())
        p = fs::absolute(p, ec);
    while (!p.empty() && !fs::is_directory(p, ec) && p != p.parent_path())
        p = p.parent_path();
    if (p.empty() || !fs::is_directory(p, ec))
        p = "/";
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    const bool changed = s != dir_;
    dir_ = s;

    // The chain from the root down to the folder, then its sub-folders.
    std::vector<std::string> items;
    std::vector<int> indents;
    paths_.clear();
    fs::path walk = "/";
    items.push_back("/");
    indents.push_back(0);
    paths_.push_back("/");
    for (const auto& part : fs::path(dir_).relative_path()) {
        walk /= part;
        items.push_back(part.string());
        indents.push_back(static_cast<int>(indents.size()));
        paths_.push_back(walk.string());
    }
    const int current = static_cast<int>(items.size()) - 1;
    const int subIndent = current + 1;
    for (const auto& sub : SubFolders(dir_)) {
        items.push_back(sub);
        indents.push_back(subIndent);
        paths_.push_back((fs::path(dir_) / sub).string());
    }
    SetRows(std::move(items), std::move(indents), current);
    if (changed && OnChange)
        OnChange(this);
}

std::string TDirectoryListBox::PathOfRow(int row) const
{
    return row >= 0 && row < static_cast<int>(paths_.size()) ? paths_[row] : std::string();
}

void TDirectoryListBox::OpenSelected()
{
    const std::string p = PathOfRow(itemIndex_);
    if (!p.empty())
        SetDirectory(p);
}

void TDirectoryListBox::DblClick()
{
    TFileListBase::DblClick();
    OpenSelected();
}

void TDirectoryListBox::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == VK_RETURN) {
        OpenSelected();
        return;
    }
    TFileListBase::KeyDown(key, shift);
}

void TDirectoryListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TFileListBase::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbRight && PopupMenu) {
        const TPoint p = ClientToScreen(TPoint(x, y));
        PopupMenu->Popup(p.X, p.Y);
    }
}

// ---- drives ---------------------------------------------------------------

TDriveComboBox::TDriveComboBox(QWidget* parent) : TWinControl(parent)
{
    Color = clWindow;
    SetBorderStyle(TBorderStyle::bsSingle);
    SetTabStop(true);
    drives_ = DriveRoots();
    drive_.assign(1, '/');
}

void TDriveComboBox::SetDrives(std::vector<std::string> drives)
{
    drives_ = std::move(drives);
    Invalidate();
}

void TDriveComboBox::SetDrive(const std::string& drive)
{
    if (std::find(drives_.begin(), drives_.end(), drive) == drives_.end())
        return;
    drive_ = drive;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TDriveComboBox::ShowDriveOf(const std::string& folder)
{
    drive_ = DriveOf(folder, drives_);
    Invalidate();
}

void TDriveComboBox::Paint(TCanvas& c)
{
    const int w = ClientWidth(), h = ClientHeight();
    c.FillRect(TRect(0, 0, w, h), Color);
    c.Brush.Style = bsClear;
    c.Font.Color = clWindowText;
    c.TextOut(4, (h - c.TextHeight(drive_)) / 2, drive_);
    // The drop-down button.
    const int bw = std::min(17, w);
    c.FillRect(TRect(w - bw, 0, w, h), clBtnFace);
    c.Pen.Color = clBlack;
    c.Brush.Color = clBlack;
    c.Brush.Style = bsSolid;
    const int cx = w - bw / 2 - 1, cy = h / 2;
    c.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

void TDriveComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    SetFocus();
    if (button != TMouseButton::mbLeft)
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& d : drives_) {
        QAction* a = menu->addAction(QString::fromStdString(d));
        connect(a, &QAction::triggered, this, [this, d] { SetDrive(d); });
    }
    menu->popup(mapToGlobal(QPoint(0, height())));
}

void TDriveComboBox::KeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    auto it = std::find(drives_.begin(), drives_.end(), drive_);
    if (it == drives_.end())
        return;
    if (key == VK_DOWN && it + 1 != drives_.end())
        SetDrive(*(it + 1));
    else if (key == VK_UP && it != drives_.begin())
        SetDrive(*(it - 1));
}

} // namespace cf
