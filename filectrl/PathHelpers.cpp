#include "PathHelpers.h"

#include <windows.h>

#include "platform/system/CurrentDirectoryKeeper.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/system/Files.h"
#include "platform/system/QuietErrors.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {

// The letter's case decides the case of the text derived from it.
std::string CaseOfLetter(char letter, const std::string& text) {
    return static_cast<unsigned char>(letter) >= 'a' ? AnsiLowerCaseFileName(text)
                                                      : AnsiUpperCaseFileName(text);
}

bool HasWildcard(const std::string& name) {
    return AnsiPos("*", name) > 0 || AnsiPos("?", name) > 0;
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
    return AnsiLastChar(dir) == "\\" ? dir + name : dir + "\\" + name;
}

void DropFirstFolder(std::string& s) {
    if (s == "\\") {
        s.clear();
        return;
    }
    bool rooted = !s.empty() && s[0] == '\\';
    if (rooted) s.erase(0, 1);
    // Taken for the "...\" of an earlier step: four characters, not bytes.
    if (!s.empty() && s[0] == '.') s.erase(0, CharsPrefixBytes(s, 4));
    int p = AnsiPos("\\", s);
    if (p > 0) s.replace(0, static_cast<size_t>(p), "...\\");
    else s.clear();
    if (rooted) s.insert(0, "\\");
}

std::string FitPathToWidth(const std::string& path, Canvas& canvas, int maxWidth) {
    std::string result = path;
    std::string dir = ExtractFilePath(result);
    const std::string name = ExtractFileName(result);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    while ((!dir.empty() || !drive.empty()) && canvas.TextWidth(result) > maxWidth) {
        if (dir == "\\...\\") {
            drive.clear();
            dir = "...\\";
        } else if (dir.empty()) {
            drive.clear();
        } else {
            DropFirstFolder(dir);
        }
        result = drive + dir + name;
    }
    return result;
}

std::string VolumeLabelText(char letter) {
    std::string label;
    {
        QuietErrors quiet;  // a drive without a medium must not ask the user
        char buffer[261] = {};
        std::string root = std::string(1, letter) + ":\\";
        if (SystemFunctions::Current().GetVolumeInformationA(root.c_str(), buffer, sizeof(buffer),
                                                             nullptr, nullptr, nullptr, nullptr, 0))
            label = buffer;
    }
    return VolumeLabelTextOf(letter, label);
}

std::string VolumeLabelTextOf(char letter, const std::string& label) {
    return Format("[%s]", {CaseOfLetter(letter, label)});
}

std::string NetworkNameText(char letter) {
    std::string local = AnsiUpperCaseFileName(std::string(1, letter)) + ":";
    char remote[261] = {};
    DWORD length = sizeof(remote);
    if (SystemFunctions::Current().WNetGetConnectionA(local.c_str(), remote, &length) == NO_ERROR)
        return RemoteNameTextOf(letter, remote);
    return VolumeLabelText(letter);
}

std::string RemoteNameTextOf(char letter, const std::string& remote) { return CaseOfLetter(letter, remote); }

void SplitEnteredPath(const std::string& text, char& drive, std::string& dirPart,
                      std::string& filePart) {
    const std::string saveDir = GetDir();
    drive = saveDir.empty() ? '\0' : saveDir[0];
    dirPart = text;
    std::string root;
    // "]" is tested as a character: under a double-byte code page 0x5D can be a trail byte.
    if (dirPart.size() >= 2 && dirPart.front() == '[' && AnsiLastChar(dirPart) == "]") {
        dirPart = dirPart.substr(1, dirPart.size() - 2);
    } else {
        root = ExtractFileDrive(dirPart);
        if (root.empty()) root = ExtractFileDrive(saveDir);
        else dirPart.erase(0, root.size());
        drive = root.size() >= 2 && root[1] == ':' ? root[0] : '\0';
    }

    CurrentDirectoryKeeper keeper(saveDir);
    if (DirectoryExists(root)) ChDir(root);
    filePart = ExtractFileName(dirPart);
    if (dirPart.size() == filePart.size() + 1) {
        dirPart = "\\";
    } else if (dirPart.size() > filePart.size()) {
        dirPart.resize(dirPart.size() - filePart.size() - 1);
    } else {
        std::string current = GetDir();
        dirPart = current.substr(ExtractFileDrive(current).size());
        if (dirPart.empty()) dirPart = "\\";
    }
    if (!dirPart.empty()) ChDir(dirPart);
    if (!filePart.empty() && !HasWildcard(filePart) && !FileExists(filePart)) {
        ChDir(filePart);  // a name without a file is taken for a folder
        dirPart = dirPart == "\\" ? "\\" + filePart : dirPart + "\\" + filePart;
        filePart.clear();
    }
    if (drive == '\0') dirPart = root + dirPart;
}

int FontLineHeight(Font& font) {
    WindowDC screen;
    Selection selected(screen.Get(), font.Handle());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen.Get(), &metrics);
    return metrics.tmHeight;
}

}  // namespace wendrik
