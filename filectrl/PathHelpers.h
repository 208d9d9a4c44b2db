#pragma once
#include <string>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"

namespace wendrik {

// `dir` and `name` joined by exactly one backslash. `dir` must not be empty.
std::string JoinPath(const std::string& dir, const std::string& name);
// `path` shortened with "..." in place of its leading folders until the
// canvas measures it at no more than `maxWidth` pixels, or nothing more can
// go. The file name is never cut.
std::string FitPathToWidth(const std::string& path, platform::Canvas& canvas, int maxWidth);
// One shortening step on a directory part: its first folder becomes "...".
void DropFirstFolder(std::string& dirPart);
// "[label]" of drive `letter`; lower case for a lower-case letter. An
// unreadable volume gives "[]" and no system message.
std::string VolumeLabelText(char letter);
// The remote name of a connected network drive, else VolumeLabelText.
std::string NetworkNameText(char letter);
// The texts the two make, from a label ("" when unreadable) or a remote
// name already asked for.
std::string VolumeLabelTextOf(char letter, const std::string& label);
std::string RemoteNameTextOf(char letter, const std::string& remote);
// Splits a typed path into drive letter (NUL for a network path), directory
// part and file part, proving the directory can be entered. Raises
// platform::InOutError when it cannot; the current directory is always put back.
void SplitEnteredPath(const std::string& text, char& drive, std::string& dirPart,
                      std::string& filePart);
// Line height of a font in pixels.
int FontLineHeight(platform::Font& font);

}  // namespace wendrik
