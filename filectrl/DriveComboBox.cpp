#include "DriveComboBox.h"

#include "DirectoryListBox.h"
#include "DriveQueries.h"
#include "PathHelpers.h"
#include "platform/drawing/Canvas.h"
#include "platform/system/Files.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

TDriveComboBox::TDriveComboBox(Component* owner) : ComboBox(owner) {
    LoadDriveGlyphs();
    std::string current = GetDir();
    driveLetter_ = current.empty() || current[0] == '\\' ? '\0' : current[0];  // a network path has no drive
    FitItemHeight();
}

TDriveComboBox::~TDriveComboBox() = default;  // the glyphs go with their members

void TDriveComboBox::LoadDriveGlyphs() {
    glyphs_.Load({"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"});
}

void TDriveComboBox::FitItemHeight() {
    SetItemHeight(glyphs_.ItemHeightFor(GetFont(), 0));  // no extra pixel, unlike the lists
}

void TDriveComboBox::CreateWnd() {
    ComboBox::CreateWnd();
    FillDriveList();
    SetDriveLetter(driveLetter_);
}

void TDriveComboBox::FillDriveList() {
    Clear();
    auto& system = SystemFunctions::Current();
    DWORD mask = system.GetLogicalDrives();
    struct Drive {
        char letter;
        UINT type;
    };
    std::vector<Drive> drives;
    std::vector<DriveQuestion> questions;
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = static_cast<char>('a' + i);
        char root[4] = {letter, ':', '\\', 0};
        UINT type = system.GetDriveTypeA(root);
        if (type < DRIVE_REMOVABLE || type > DRIVE_RAMDISK) continue;  // unknown, no root: no item
        drives.push_back({letter, type});
        // Removable drives are listed without touching them.
        if (type != DRIVE_REMOVABLE) questions.push_back({letter, type == DRIVE_REMOTE});
    }
    std::vector<DriveAnswer> answers = AskDrives(questions, DriveQueryDeadlineMs);
    size_t asked = 0;
    for (const Drive& drive : drives) {
        char letter = textCase_ == tcUpperCase ? AsciiUpper(drive.letter) : drive.letter;
        std::string shown(1, letter);
        const Bitmap* glyph = nullptr;
        if (drive.type == DRIVE_REMOVABLE) {
            AddItem(shown + ":", glyphs_[kFloppy]);
            continue;
        }
        const DriveAnswer& answer = answers[asked++];
        // A drive that did not answer in time shows as one whose query failed.
        std::string detail = answer.connected ? RemoteNameTextOf(letter, answer.remote)
                                              : VolumeLabelTextOf(letter, answer.label);
        switch (drive.type) {
        case DRIVE_FIXED: glyph = glyphs_[kHard]; break;
        case DRIVE_REMOTE: glyph = glyphs_[kNetwork]; break;
        case DRIVE_CDROM: glyph = glyphs_[kCdrom]; break;
        default: glyph = glyphs_[kRam]; break;
        }
        AddItem(Format("%s: %s", {shown, detail}), glyph);
    }
}

int TDriveComboBox::IndexOfDrive(char letter) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& text = Item(i).text;
        if (text.size() >= 2 && AsciiUpper(text[0]) == AsciiUpper(letter) && text[1] == ':') return i;
    }
    return -1;
}

void TDriveComboBox::SetDriveLetter(char newDrive) {
    if (ItemIndex() >= 0 && AsciiUpper(newDrive) == AsciiUpper(driveLetter_)) return;
    // A drive that cannot be entered leaves the box at the drive before it,
    // which the lists still show, so that it can be picked again.
    const char oldLetter = driveLetter_;
    ScopeExit undo([&] {
        driveLetter_ = oldLetter;
        if (!Dying()) SetItemIndex(oldLetter ? IndexOfDrive(oldLetter) : -1);
    });
    if (newDrive == '\0') {
        driveLetter_ = '\0';
        SetItemIndex(-1);
    } else {
        driveLetter_ = textCase_ == tcUpperCase ? AsciiUpper(newDrive) : AsciiLower(newDrive);
        if (int index = IndexOfDrive(driveLetter_); index >= 0) SetItemIndex(index);
    }
    if (dirList_) dirList_->SwitchDrive(driveLetter_);
    Change();
    undo.Dismiss();
}

void TDriveComboBox::Click() {
    ComboBox::Click();
    if (ItemIndex() >= 0 && !Dying()) SetDriveLetter(Item(ItemIndex()).text[0]);
}

void TDriveComboBox::SetTextCase(TTextCase value) {
    // No test for an unchanged value: the same case rebuilds and notifies again.
    textCase_ = value;
    char old = driveLetter_;
    FillDriveList();
    SetDriveLetter(old);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* value) {
    if (dirList_) {
        dirList_->SetLinkedDriveBox(nullptr);
        RemoveFreeNotification(dirList_);
    }
    dirList_ = value;
    if (value) {
        value->SetLinkedDriveBox(this);
        FreeNotification(value);  // both ends hear of the other's going
    }
}

void TDriveComboBox::Notification(Component* component, Operation operation) {
    ComboBox::Notification(component, operation);
    if (operation == Operation::Remove && component == dirList_) dirList_ = nullptr;
}

void TDriveComboBox::FontChanged() {
    ComboBox::FontChanged();  // the item height fitted to the new font
    Recreate();  // a combo box measures its items only when its window is made
}

void TDriveComboBox::DrawItem(int index, RECT rect, UINT, Canvas& canvas) {
    canvas.FillRect(rect);
    int glyphWidth = 16;
    if (const Bitmap* glyph = Item(index).glyph; glyph && !glyph->Empty()) {
        glyphWidth = glyph->Width();
        int top = (rect.top + rect.bottom - glyph->Height()) / 2;
        RECT dest = {rect.left + 2, top, rect.left + 2 + glyph->Width(), top + glyph->Height()};
        canvas.BrushCopy(dest, *glyph, RECT{0, 0, glyph->Width(), glyph->Height()},
                         glyph->BottomLeft());
    }
    rect.left += glyphWidth + 6;
    DrawTextA(canvas.Handle(), Item(index).text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace wendrik
