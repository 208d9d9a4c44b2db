// A small tweaking host: loads Wendrik.dll from its own folder, shows the
// module page beside its window and logs what the page tells it. With
// /script it walks one export without a person and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "HostWindow.h"
#include "ModuleLibrary.h"
#include "ScriptedRun.h"
#include "filectrl/ResourceStrings.h"
#include "platform/system/Application.h"

int main(int argc, char** argv) {
    int language = 0;
    int validMask = 512 | 1024 | 4096;  // Windows NT, 2000 and XP; /mask=N sets another
    bool scripted = false;
    demo::ScriptShots shots;
    std::string backupDir, typed = "Sicherung";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("/lang=", 0) == 0) language = std::atoi(arg.c_str() + 6);
        else if (arg.rfind("/mask=", 0) == 0) validMask = std::atoi(arg.c_str() + 6);
        else if (arg == "/script" && i + 1 < argc) scripted = true, backupDir = argv[++i];
        else if (arg.rfind("/shot=", 0) == 0) shots.page = arg.substr(6);
        else if (arg.rfind("/dialogshot=", 0) == 0) shots.dialog = arg.substr(12);
        else if (arg.rfind("/questionshot=", 0) == 0) shots.question = arg.substr(14);
        else if (arg.rfind("/doneshot=", 0) == 0) shots.done = arg.substr(10);
        else if (arg.rfind("/typed=", 0) == 0) typed = arg.substr(7);
    }
    demo::ModuleLibrary module;
    std::string folder = platform::Application::ExeFolder();
    if (!module.Load(folder)) {
        std::printf("FAILED: cannot load Wendrik.dll from %s\n", folder.c_str());
        return 1;
    }
    demo::HostWindow host(module, language, validMask);
    // The script finds the dialog by its caption, in the page's language.
    platform::Language::SetEnglish(language == 1);
    if (scripted) return demo::RunScript(host, module, backupDir, typed, shots);
    host.CreatePage();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
