#pragma once

// The small file-system lists of the folder dialog: the drives (file-system
// roots and mount points), the folder tree from the root down to the current
// folder with its sub-folders, and the files of the current folder.

#include "platform/Controls.h"
#include "platform/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace cf {

// A list of text rows, each with an indent level; one row is selected.
class TFileListBase : public TWinControl {
public:
    explicit TFileListBase(QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int i) const { return items_[i]; }
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i);
    int TopIndex() const { return topIndex_; }
    int RowHeight();
    int VisibleRows();
    // Row under a client point, or -1.
    int RowAt(int y);

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

protected:
    void SetRows(std::vector<std::string> items, std::vector<int> indents, int selected);
    void ScrollIntoView(int row);
    std::vector<std::string> items_;
    std::vector<int> indents_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
};

class TFileListBox : public TFileListBase {
public:
    explicit TFileListBox(QWidget* parent = nullptr);
    const std::string& Directory() const { return dir_; }
    void SetDirectory(const std::string& dir);
    void Update() { SetDirectory(dir_); }

private:
    std::string dir_;
};

class TDirectoryListBox : public TFileListBase {
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);
    // The current folder; a folder that does not exist moves to its nearest
    // existing parent.
    const std::string& Directory() const { return dir_; }
    void SetDirectory(const std::string& dir);
    // The folder a row stands for.
    std::string PathOfRow(int row) const;
    // Opens the selected row's folder (double click, Enter).
    void OpenSelected();
    std::function<void(TDirectoryListBox*)> OnChange;
    // Right click with a menu attached shows it.
    TPopupMenu* PopupMenu = nullptr;

    void DblClick() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    std::string dir_;
    std::vector<std::string> paths_;
};

class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);
    const std::vector<std::string>& Drives() const { return drives_; }
    void SetDrives(std::vector<std::string> drives);
    const std::string& Drive() const { return drive_; }
    // Selects a drive (one of Drives()) and tells OnChange.
    void SetDrive(const std::string& drive);
    // Shows the drive of `folder` without telling OnChange.
    void ShowDriveOf(const std::string& folder);
    std::function<void(TDriveComboBox*)> OnChange;

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    std::vector<std::string> drives_;
    std::string drive_;
};

} // namespace cf
