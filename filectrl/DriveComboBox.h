#pragma once
#include "ControlGlyphs.h"
#include "DriveQueries.h"
#include "platform/controls/ComboBox.h"

namespace wendrik {

class TDirectoryListBox;

enum TTextCase { tcLowerCase = 0, tcUpperCase = 1 };

// A drop-down list of the machine's drives in letter order, each with its
// type's glyph and its volume label or network name ("c: [system]").
// Choosing a drive makes it the current drive of a linked directory list box.
class TDriveComboBox : public platform::ComboBox {
public:
    explicit TDriveComboBox(platform::Component* owner);
    ~TDriveComboBox() override;

    virtual void FillDriveList();
    char DriveLetter() const { return driveLetter_; }
    void SetDriveLetter(char newDrive);
    TTextCase TextCase() const { return textCase_; }
    void SetTextCase(TTextCase value);
    TDirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(TDirectoryListBox* value);

    // How long one fill waits in all for the drives' answers.
    static constexpr DWORD DriveQueryDeadlineMs = kAnswerDeadlineMs;

protected:
    void Notification(platform::Component* component, platform::Operation operation) override;
    void CreateWnd() override;
    void DrawItem(int index, RECT rect, UINT state, platform::Canvas& canvas) override;
    void Click() override;
    void FontChanged() override;

private:
    void LoadDriveGlyphs();
    // The item of a drive letter (either case), or -1.
    int IndexOfDrive(char letter) const;
    void FitItemHeight() override;

    TDirectoryListBox* dirList_ = nullptr;
    char driveLetter_ = '\0';
    TTextCase textCase_ = tcLowerCase;
    enum Glyph { kFloppy, kHard, kNetwork, kCdrom, kRam };  // in the order they are loaded
    ControlGlyphs glyphs_;
};

}  // namespace wendrik
