#include "FileListBox.h"

#include "DirectoryListBox.h"
#include "DriveQueries.h"
#include "PathHelpers.h"
#include "ResourceStrings.h"
#include <cstring>

#include "platform/drawing/Canvas.h"
#include "platform/system/Files.h"
#include "platform/system/InvalidOperation.h"
#include "filectrl/ListBoxSortOrder.h"
#include "platform/system/ScopeGuard.h"
#include "platform/drawing/Screen.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {

bool HasWildcard(const std::string& name) { return AnsiPos("*", name) > 0 || AnsiPos("?", name) > 0; }

bool IsProgram(const std::string& name) {
    std::string::size_type dot = name.find_last_of('.');  // "." is never a trail byte
    if (dot == std::string::npos || name.size() - dot != 4) return false;
    // The four extensions are ASCII, and no other letter lowers to an ASCII one.
    char extension[5] = {};
    for (int i = 0; i < 4; ++i) {
        char c = name[dot + i];
        extension[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return !strcmp(extension, ".exe") || !strcmp(extension, ".com") || !strcmp(extension, ".bat") ||
           !strcmp(extension, ".pif");
}

// The patterns of a mask, split at every ";" (the mask itself is left as it is).
std::vector<std::string> Patterns(const std::string& mask) {
    std::vector<std::string> patterns;
    std::string rest = mask;
    for (size_t at; (at = AnsiStrScan(rest, ';')) != std::string::npos;) {
        patterns.push_back(rest.substr(0, at));
        rest.erase(0, at + 1);
    }
    patterns.push_back(rest);
    return patterns;
}

// The insertion index at which a sorted list shows the hourglass.
constexpr int kHourglassIndex = 100;

}  // namespace

TFileListBox::TFileListBox(Component* owner) : ListBox(owner) {
    SetWidth(145);
    currentDir_ = GetDir();
    LoadFileGlyphs();
    FitItemHeight();
}

TFileListBox::~TFileListBox() = default;  // the glyphs go with their members

void TFileListBox::LoadFileGlyphs() {
    glyphs_.Load({"EXECUTABLE", "CLOSEDFOLDER", "UNKNOWNFILE"});
}

void TFileListBox::FitItemHeight() {
    SetItemHeight(showGlyphs_ ? glyphs_.ItemHeightFor(GetFont(), 1) : FontLineHeight(GetFont()));
}

void TFileListBox::CreateWnd() {
    ListBox::CreateWnd();
    FillFileList();
}

void TFileListBox::FillFileList() {
    if (!Handle()) return;
    DWORD attributes = 0;
    for (TFileAttr member : {ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive})
        if (fileType_.Contains(member)) attributes |= 1u << member;
    // A directory that does not answer, or cannot be entered, keeps the old items.
    AnswersOrRaise(currentDir_);
    ChDir(currentDir_);
    Clear();
    const int cursor = Screen::Cursor();
    ScopeExit putBack([cursor] { Screen::SetCursor(cursor); });

    // The list box's own sorted insertion would cost far more than the
    // search: the order and the insertion index are worked out here, and the
    // window is filled once, unsorted, in that order.
    std::vector<DrawnItem> found;
    ListBoxSortOrder order;
    for (const std::string& pattern : Patterns(mask_)) {
        FileSearch search(pattern, attributes);
        for (SearchRec entry; search.Next(entry);) {
            if (fileType_.Contains(ftNormal) || (entry.attributes & attributes)) {
                if (entry.attributes & faDirectory) {
                    found.push_back({Format("[%s]", {entry.name}), showGlyphs_ ? glyphs_[kClosedFolder] : nullptr});
                } else {
                    const Bitmap* glyph = IsProgram(entry.name) ? glyphs_[kExecutable] : glyphs_[kUnknownFile];
                    found.push_back({std::move(entry.name), glyph});
                }
                if (order.Add(found.back().text) == kHourglassIndex) {
                    Screen::SetCursor(CursorHourGlass);
                    order.StopTrackingIndices();  // it stays the hourglass until the end
                }
            }
        }
    }
    AddItems(std::move(found), order.Order());
    putBack.Dismiss();
    Screen::SetCursor(cursor);
    SelectionChanged();
}

void TFileListBox::DrawItem(int index, RECT rect, UINT, Canvas& canvas) {
    canvas.FillRect(rect);
    int offset = 2;
    const Bitmap* glyph = Item(index).glyph;
    if (showGlyphs_ && glyph && !glyph->Empty()) {
        int top = (rect.top + rect.bottom - glyph->Height()) / 2;
        RECT dest = {rect.left + 2, top, rect.left + 2 + glyph->Width(), top + glyph->Height()};
        canvas.BrushCopy(dest, *glyph, RECT{0, 0, glyph->Width(), glyph->Height()},
                         glyph->BottomLeft());
        offset = glyph->Width() + 6;
    }
    canvas.TextOut(rect.left + offset, rect.top, Item(index).text);
}

void TFileListBox::SetMask(const std::string& value) {
    if (value == mask_) return;  // exact: another letter case reads the directory again
    mask_ = value;
    FillFileList();
}

void TFileListBox::SetFileType(TFileType value) {
    if (value == fileType_) return;
    fileType_ = value;
    FillFileList();
}

void TFileListBox::SetShowGlyphs(bool value) {
    if (value == showGlyphs_) return;
    showGlyphs_ = value;
    // Turning glyphs off never shrinks the items; directory items get theirs at the next fill.
    if (value && glyphs_.GlyphHeight(1) > ItemHeight()) FitItemHeight();
    Invalidate();
}

void TFileListBox::SetFileEdit(Edit* edit) {
    if (fileEdit_) RemoveFreeNotification(fileEdit_);
    fileEdit_ = edit;
    if (!edit) return;
    FreeNotification(edit);
    std::string name = SelectedName();
    edit->SetText(name.empty() ? mask_ : name);
}

void TFileListBox::Click() {
    ListBox::Click();
    if (!Dying() && ItemIndex() != lastNotifiedIndex_) SelectionChanged();
}

void TFileListBox::SelectionChanged() {
    lastNotifiedIndex_ = ItemIndex();
    if (fileEdit_) {
        std::string name = SelectedName();
        fileEdit_->SetText(name.empty() ? mask_ : name);
        if (fileEdit_->Handle()) SendMessageA(fileEdit_->Handle(), EM_SETSEL, 0, -1);
    }
    if (OnChange && !Dying()) OnChange();
}

std::string TFileListBox::SelectedName() const {
    int index = ItemIndex();
    if (index < 0 || Count() == 0 || !ItemSelected(index)) return "";
    return Item(index).text;
}

void TFileListBox::SelectName(const std::string& name) {
    if (AnsiCompareFileName(name, SelectedName()) == 0) return;
    SetItemIndex(FindExact(0, name));  // after item 0, wrapping round: item 0 comes last
    SelectionChanged();
}

std::string TFileListBox::SelectedPath() const {
    std::string name = SelectedName();
    return name.empty() ? "" : JoinPath(currentDir_, name);
}

void TFileListBox::ChangeCurrentDir(const std::string& newDir) {
    if (AnsiCompareFileName(newDir, currentDir_) == 0) return;
    AnswersOrRaise(newDir);  // a vanished share would hang the window in the ChDir
    // Relative names count from the listed directory, where it still answers.
    if (PathAnswers(currentDir_, kAnswerDeadlineMs) && DirectoryExists(currentDir_)) ChDir(currentDir_);
    ChDir(newDir);
    currentDir_ = GetDir();
    FillFileList();
}

void TFileListBox::GoToPath(const std::string& path) {
    if (path.empty() || AnsiCompareFileName(path, SelectedPath()) == 0) return;
    AnswersOrRaise(path);  // split, entered and tested on this thread below
    char drive = '\0';
    std::string dirPart, filePart;
    SplitEnteredPath(path, drive, dirPart, filePart);
    if (linkedDirList_) linkedDirList_->ChangeCurrentDir(path);  // which moves this box in turn
    else if (drive != '\0') ChangeCurrentDir(Format("%s:%s", {std::string(1, drive), dirPart}));
    else ChangeCurrentDir(dirPart);
    if (HasWildcard(filePart)) {
        SetMask(filePart);
    } else if (!filePart.empty()) {
        SelectName(filePart);
        // In the listed directory, not wherever the process's current directory is.
        if (!FileExists(JoinPath(currentDir_, filePart)))
            throw InvalidOperation(Format(ResourceStrings::SInvalidFileName(), {path}));
        if (SelectedName().empty()) {  // not listed under the present mask and kinds
            SetMask(filePart);
            SelectName(filePart);
        }
    }
}

void TFileListBox::Notification(Component* component, Operation operation) {
    ListBox::Notification(component, operation);
    if (operation != Operation::Remove) return;
    if (component == fileEdit_) fileEdit_ = nullptr;
    else if (component == linkedDirList_) linkedDirList_ = nullptr;
}

}  // namespace wendrik
