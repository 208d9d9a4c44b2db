#include "DirectoryListBox.h"

#include "DriveComboBox.h"
#include "DriveQueries.h"
#include "FileListBox.h"
#include "PathHelpers.h"
#include "ResourceStrings.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/system/CurrentDirectoryKeeper.h"
#include "platform/system/Files.h"
#include "platform/system/InOutError.h"
#include "platform/system/InvalidOperation.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

TDirectoryListBox::TDirectoryListBox(Component* owner) : ListBox(owner) {
    SetWidth(145);
    LoadFolderGlyphs();
    currentDir_ = GetDir();
    FitItemHeight();
}

TDirectoryListBox::~TDirectoryListBox() = default;  // the glyphs go with their members

void TDirectoryListBox::LoadFolderGlyphs() {
    glyphs_.Load({"OPENFOLDER", "CLOSEDFOLDER", "CURRENTFOLDER"});
}

void TDirectoryListBox::FitItemHeight() {
    SetItemHeight(glyphs_.ItemHeightFor(GetFont(), 1));
}

void TDirectoryListBox::CreateWnd() {
    ListBox::CreateWnd();
    RebuildTree();
    // Below a drive root the current folder's item; at a root its first subfolder.
    SetItemIndex(PathDepth(currentDir_));
}

int TDirectoryListBox::PathDepth(const std::string& path) {
    int depth = 0;
    for (size_t at = 0;;) {
        size_t found = AnsiStrScan(path.substr(at), '\\');
        if (found == std::string::npos) return depth;
        ++depth;
        at += found + 1;
    }
}

void TDirectoryListBox::RebuildTree() {
    Updating updating(*this);
    Clear();
    const std::string root = ExtractFileDrive(currentDir_) + "\\";
    DWORD flags = 0;
    if (VolumeFlags(root, TDriveComboBox::DriveQueryDeadlineMs, flags)) {
        volumeKeepsCase_ = (flags & (FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED)) != 0;
        volumeCaseSensitive_ = (flags & FS_CASE_SENSITIVE) != 0;
    } else {
        // Unknown: names are shown as the system gives them and compared without case.
        volumeKeepsCase_ = true;
        volumeCaseSensitive_ = false;
    }
    std::string rest = currentDir_;
    int addIndex = 0;
    if (root.size() >= 2 && root[1] == '\\') {  // the root of a network share
        AddItem(root, glyphs_[kOpened]);
        rest = currentDir_.substr(std::min(root.size(), currentDir_.size()));
        addIndex = 1;
    }
    if (!rest.empty()) {
        if (AnsiLastChar(rest) != "\\") {
            for (int p; (p = AnsiPos("\\", rest)) > 0;) {
                std::string name = rest.substr(0, p - 1);
                if (addIndex == 0) name += "\\";  // the drive item reads "C:\"
                rest.erase(0, p);
                AddItem(name, glyphs_[kOpened]);
                ++addIndex;
            }
        }
        AddItem(rest, glyphs_[kCurrent]);
    }
    int newSelect = Count() - 1;
    SortedStrings subfolders;
    // A folder whose volume does not answer in time is shown without its
    // subfolders: listing it would hang the window.
    if (PathAnswers(currentDir_, TDriveComboBox::DriveQueryDeadlineMs)) ListSubfolders(currentDir_, subfolders);
    std::vector<DrawnItem> folders;
    std::vector<int> order;
    for (std::string& name : subfolders.Take()) {
        order.push_back(static_cast<int>(folders.size()));
        folders.push_back({std::move(name), glyphs_[kClosed]});
    }
    AddItems(std::move(folders), order);
    if (Handle()) SetItemIndex(newSelect);
}

int TDirectoryListBox::ListSubfolders(const std::string& parent, SortedStrings& list) {
    int count = 0;
    FileSearch search(JoinPath(parent, "*.*"), faDirectory);  // closed on every way out
    for (SearchRec entry; search.Next(entry);) {
        if ((entry.attributes & faDirectory) && entry.name != "." && entry.name != "..") {
            // A name with "?" (outside the code page, no short name) may read
            // like a sibling's: each folder keeps its own item.
            list.Add(entry.name, entry.name.find('?') != std::string::npos);
            ++count;
        }
    }
    return count;
}

void TDirectoryListBox::DrawItem(int index, RECT rect, UINT, Canvas& canvas) {
    canvas.FillRect(rect);
    int glyphWidth = 16;
    int indent = index * 4 + 2;
    if (const Bitmap* glyph = Item(index).glyph; glyph && !glyph->Empty()) {
        if (glyph == glyphs_[kClosed]) indent = (PathDepth(currentDir_) + 1) * 4 + 2;
        glyphWidth = glyph->Width();
        int top = (rect.top + rect.bottom - glyph->Height()) / 2;
        RECT dest = {rect.left + indent, top, rect.left + indent + glyph->Width(), top + glyph->Height()};
        canvas.BrushCopy(dest, *glyph, RECT{0, 0, glyph->Width(), glyph->Height()},
                         glyph->BottomLeft());
    }
    canvas.TextOut(rect.left + glyphWidth + indent + 4, rect.top, CaseForDisplay(Item(index).text));
}

std::string TDirectoryListBox::CaseForDisplay(const std::string& s) const {
    return volumeKeepsCase_ || volumeCaseSensitive_ ? s : AnsiLowerCase(s);
}

int TDirectoryListBox::ComparePaths(const std::string& a, const std::string& b) const {
    return volumeCaseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareFileName(a, b);
}

std::string TDirectoryListBox::PathOfItem(int index) const {
    if (index < 0 || index >= Count()) return "";
    if (index == 0) return ExtractFileDrive(currentDir_) + "\\";
    const DrawnItem& item = Item(index);
    if (item.glyph == glyphs_[kClosed]) return JoinPath(currentDir_, item.text);
    if (item.glyph == glyphs_[kCurrent]) return currentDir_;
    // An ancestor: the path up to its own backslash, counting whole characters.
    const std::string drive = ExtractFileDrive(currentDir_);
    const std::string dir = currentDir_.substr(drive.size());
    int separators = 0;
    size_t stop = dir.size();
    for (size_t i = 0; i < dir.size(); ++i) {
        if (IsLeadByte(dir[i])) {
            ++i;  // the trail byte is never a separator
            continue;
        }
        if (dir[i] == '\\' && ++separators == index + 1) {
            stop = i;
            break;
        }
    }
    return drive + dir.substr(0, stop);
}

void TDirectoryListBox::OpenSelected() {
    int index = ItemIndex();
    if (index < 0) return;
    // A name the code page cannot show, without a short name: its "?" would
    // be taken for a mask, and opening would silently do nothing.
    if (Item(index).glyph == glyphs_[kClosed] && Item(index).text.find('?') != std::string::npos)
        throw InvalidOperation(Format(ResourceStrings::SCannotOpenFolder(), {Item(index).text}));
    ChangeCurrentDir(PathOfItem(index));
}

void TDirectoryListBox::DblClick() {
    ListBox::DblClick();
    OpenSelected();
}

void TDirectoryListBox::KeyPress(char& key) {
    ListBox::KeyPress(key);
    if (key == '\r') OpenSelected();
}

void TDirectoryListBox::ChangeCurrentDir(const std::string& newDir) {
    if (newDir.empty() || ComparePaths(newDir, currentDir_) == 0) return;
    // A vanished share would hang the window in the first ChDir: asked first, with a deadline.
    AnswersOrRaise(newDir);
    char drive = '\0';
    std::string dirPart, filePart;
    SplitEnteredPath(newDir, drive, dirPart, filePart);  // relative input: from where the list left off
    // A change refused half-way (a folder too deep, or missing, on another
    // drive) leaves the list, its drive box and the process where they were.
    const std::string before = currentDir_;
    const char driveBefore = DriveLetter();
    platform::CurrentDirectoryKeeper processDir;
    try {
        if (drive != DriveLetter()) {
            // The rebuild and notification come once, at the end of the path change.
            ValueScope<bool> changing(inPathChange_, true);
            if (linkedDriveBox_) linkedDriveBox_->SetDriveLetter(drive);
            else SwitchDrive(drive);
        }
        EnterDir(dirPart);  // the file part is not used: a file list box relies on that
    } catch (...) {
        if (AsciiUpper(DriveLetter()) != AsciiUpper(driveBefore)) {
            currentDir_ = before;  // the drive box's way back then finds the list there already
            ValueScope<bool> changing(inPathChange_, true);
            if (linkedDriveBox_ && !linkedDriveBox_->Dying()) {
                try {
                    linkedDriveBox_->SetDriveLetter(driveBefore);
                } catch (...) {  // already refused once: the original error is the one to report
                }
            }
        }
        currentDir_ = before;
        if (!PathAnswers(processDir.Saved(), kAnswerDeadlineMs)) processDir.Dismiss();  // its test would hang
        throw;
    }
    processDir.Dismiss();
}

void TDirectoryListBox::SwitchDrive(char newDrive) {
    if (AsciiUpper(newDrive) == AsciiUpper(DriveLetter())) return;
    if (newDrive != '\0') {
        AnswersOrRaise(std::string(1, newDrive) + ":\\");
        ChDir(std::string(1, newDrive) + ":");  // that drive's own current directory
        currentDir_ = GetDir();
    }
    if (!inPathChange_) {
        RebuildTree();
        DirChanged();
    }
}

void TDirectoryListBox::EnterDir(const std::string& newDir) {
    if (DirectoryExists(currentDir_)) ChDir(currentDir_);  // relative names count from here
    try {
        ChDir(newDir);
    } catch (const InOutError& error) {
        if (error.LastError() != ERROR_FILENAME_EXCED_RANGE) throw;
        throw InOutError(Format(ResourceStrings::SFolderTooDeep(), {newDir}));
    }
    std::string entered = GetDir();
    // A folder that can be entered but whose search pattern no longer fits
    // would list no subfolders: refused, never shown short of entries.
    if (JoinPath(entered, "*.*").size() >= MAX_PATH) {
        if (DirectoryExists(currentDir_)) SetCurrentDirectoryA(currentDir_.c_str());
        throw InOutError(Format(ResourceStrings::SFolderTooDeep(), {entered}));
    }
    currentDir_ = entered;
    RebuildTree();
    DirChanged();
}

void TDirectoryListBox::SetDriveLetter(char value) {
    // No drive (a drive box showing a network folder): nothing to go to.
    if (value != '\0' && AsciiUpper(value) != AsciiUpper(DriveLetter()))
        ChangeCurrentDir(Format("%s:", {std::string(1, value)}));
}

void TDirectoryListBox::DirChanged() {
    if (fileList_) fileList_->ChangeCurrentDir(currentDir_);
    UpdateDirLabel();
    if (OnChange && !Dying()) OnChange();
}

void TDirectoryListBox::UpdateDirLabel() {
    if (!dirLabel_) return;
    int width = dirLabel_->AutoSize() ? Width() : dirLabel_->Width();
    WindowDC dc(dirLabel_->Handle());
    Canvas canvas(dc.Get());
    canvas.SetFont(dirLabel_->GetFont());
    dirLabel_->SetText(FitPathToWidth(currentDir_, canvas, width));
}

void TDirectoryListBox::SetFileList(TFileListBox* value) {
    if (fileList_) {
        fileList_->SetLinkedDirList(nullptr);
        RemoveFreeNotification(fileList_);
    }
    fileList_ = value;
    if (value) {
        value->SetLinkedDirList(this);
        FreeNotification(value);
    }
}

void TDirectoryListBox::SetDirLabel(Label* value) {
    if (dirLabel_) RemoveFreeNotification(dirLabel_);
    dirLabel_ = value;
    if (value) FreeNotification(value);
    UpdateDirLabel();
}

void TDirectoryListBox::Notification(Component* component, Operation operation) {
    ListBox::Notification(component, operation);
    if (operation != Operation::Remove) return;
    if (component == fileList_) fileList_ = nullptr;
    else if (component == linkedDriveBox_) linkedDriveBox_ = nullptr;
    else if (component == dirLabel_) dirLabel_ = nullptr;
}

}  // namespace wendrik
