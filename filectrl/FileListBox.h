#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "ControlGlyphs.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"

namespace wendrik {

class TDirectoryListBox;

enum TFileAttr { ftReadOnly = 0, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };

// A set of TFileAttr in one byte, bit n for enumerator n; [ftNormal] is 0x40.
struct TFileType {
    std::uint8_t bits = 0;
    TFileType() = default;
    TFileType(std::initializer_list<TFileAttr> members) {
        for (TFileAttr m : members) bits |= static_cast<std::uint8_t>(1u << m);
    }
    bool Contains(TFileAttr member) const { return bits & (1u << member); }
    bool operator==(const TFileType&) const = default;
};

// The entries of one directory that match a mask of patterns and a set of
// file kinds, in the order a sorted list box holds them, with their glyphs.
// A linked edit mirrors the selected name; a typed path moves the list and
// takes its file part as the mask or as the entry to select.
class TFileListBox : public platform::ListBox {
public:
    explicit TFileListBox(platform::Component* owner);
    ~TFileListBox() override;

    const std::string& CurrentDir() const { return currentDir_; }
    // The CurrentDir setter: relative names count from the listed directory.
    void ChangeCurrentDir(const std::string& newDir);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& value);
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType value);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);
    platform::Edit* FileEdit() const { return fileEdit_; }
    void SetFileEdit(platform::Edit* edit);
    TDirectoryListBox* LinkedDirList() const { return linkedDirList_; }
    // Set and cleared by the directory list box's FileList setter.
    void SetLinkedDirList(TDirectoryListBox* list) { linkedDirList_ = list; }

    std::string SelectedName() const;
    void SelectName(const std::string& name);
    virtual std::string SelectedPath() const;
    // Moves to the typed path's directory and applies its file part.
    virtual void GoToPath(const std::string& path);
    // Reads the directory again (only while the control has a window).
    virtual void FillFileList();
    virtual void SelectionChanged();

    std::function<void()> OnChange;

protected:
    void Notification(platform::Component* component, platform::Operation operation) override;
    void CreateWnd() override;
    void DrawItem(int index, RECT rect, UINT state, platform::Canvas& canvas) override;
    void Click() override;
    virtual void LoadFileGlyphs();

private:
    void FitItemHeight() override;

    std::string currentDir_;
    std::string mask_ = "*.*";
    TFileType fileType_{ftNormal};
    platform::Edit* fileEdit_ = nullptr;
    TDirectoryListBox* linkedDirList_ = nullptr;
    enum Glyph { kExecutable, kClosedFolder, kUnknownFile };  // in the order they are loaded
    ControlGlyphs glyphs_;
    int lastNotifiedIndex_ = -1;
    bool showGlyphs_ = false;
};

}  // namespace wendrik
