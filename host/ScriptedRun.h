#pragma once
#include <string>

#include "HostWindow.h"
#include "ModuleLibrary.h"

namespace demo {

// One export without a person: the page is created, given a backup folder,
// a new folder under it chosen through the browse button's dialog, the
// check box ticked and apply pressed; every message box is answered
// with its first button. Then the host's move, size, show and close
// commands are checked. Returns the process's exit code.
int RunScript(HostWindow& host, ModuleLibrary& module, const std::string& backupDir,
              const std::string& screenshot, const std::string& dialogShot);

}  // namespace demo
