#pragma once
#include <functional>
#include <string>

#include "ControlGlyphs.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListBox.h"
#include "filectrl/SortedStrings.h"

namespace wendrik {

class TDriveComboBox;
class TFileListBox;

// One directory shown as a small tree: the drive or share root, each
// ancestor, the directory itself, then its subfolders in sorted order.
// Double click or Enter makes an item's folder current. It follows a linked
// drive combo box and moves it, tells a linked file list box and label of
// every new directory, and fires OnChange. It works through the process's
// current directory and leaves it at the directory it shows.
class TDirectoryListBox : public platform::ListBox {
public:
    explicit TDirectoryListBox(platform::Component* owner);
    ~TDirectoryListBox() override;

    const std::string& CurrentDir() const { return currentDir_; }
    // The CurrentDir setter: raises the platform's I/O error when the directory cannot be entered.
    virtual void ChangeCurrentDir(const std::string& newDir);
    char DriveLetter() const { return currentDir_.empty() ? '\0' : currentDir_[0]; }
    void SetDriveLetter(char value);
    // Called by a linked drive combo box, and by ChangeCurrentDir.
    void SwitchDrive(char newDrive);
    void EnterDir(const std::string& newDir);
    virtual void RebuildTree();
    virtual void DirChanged();
    void UpdateDirLabel();

    // Adds the names of `parent`'s direct subfolders (neither hidden nor system) to `list`.
    int ListSubfolders(const std::string& parent, SortedStrings& list);
    std::string PathOfItem(int index) const;
    // Opens the selected item's folder; with nothing selected, nothing happens.
    void OpenSelected();
    std::string CaseForDisplay(const std::string& s) const;
    int ComparePaths(const std::string& a, const std::string& b) const;
    // The number of "\" characters, trail bytes of double-byte characters not counted.
    static int PathDepth(const std::string& path);

    TFileListBox* FileList() const { return fileList_; }
    void SetFileList(TFileListBox* value);
    platform::Label* DirLabel() const { return dirLabel_; }
    void SetDirLabel(platform::Label* value);
    TDriveComboBox* LinkedDriveBox() const { return linkedDriveBox_; }
    // Set and cleared by the drive combo box's DirList setter only.
    void SetLinkedDriveBox(TDriveComboBox* box) { linkedDriveBox_ = box; }

    std::function<void()> OnChange;

protected:
    void Notification(platform::Component* component, platform::Operation operation) override;
    void CreateWnd() override;
    void DrawItem(int index, RECT rect, UINT state, platform::Canvas& canvas) override;
    void DblClick() override;
    void KeyPress(char& key) override;
    bool WantsReturn() const override { return true; }
    virtual void LoadFolderGlyphs();

private:
    void FitItemHeight() override;
    // Raises the I/O error with a clear message when `path` does not answer in time.

    TFileListBox* fileList_ = nullptr;
    TDriveComboBox* linkedDriveBox_ = nullptr;
    platform::Label* dirLabel_ = nullptr;
    bool inPathChange_ = false;
    bool volumeKeepsCase_ = true;
    bool volumeCaseSensitive_ = false;
    enum Glyph { kOpened, kClosed, kCurrent };  // in the order they are loaded
    ControlGlyphs glyphs_;
    std::string currentDir_;
};

}  // namespace wendrik
