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
// PNG files the run saves as it goes ("" for none): the page with its
// check box ticked, the select-directory dialog, the question before a new
// folder is made, the box that says where the export went.
struct ScriptShots {
    std::string page, dialog, question, done;
};

// `typed` is the new folder's name typed in the dialog, under `backupDir`.
int RunScript(HostWindow& host, ModuleLibrary& module, const std::string& backupDir, const std::string& typed,
              const ScriptShots& shots);

}  // namespace demo
