#include <exception>
#include <string>

#include "Exports.h"
#include "FormWendrik.h"
#include "ModuleState.h"
#include "platform/system/Application.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/RangeError.h"
#include "platform/system/ScopeGuard.h"
#include "template/HostProtocol.h"

using namespace wendrik;
using platform::Application;

namespace wendrik {

void LibraryStartup() {
    UINT id = RegisterWindowMessageA(HostMessageName);
    if (id > 0xFFFF) throw platform::RangeError();
    HostMessage = static_cast<std::uint16_t>(id);
}

}  // namespace wendrik

extern "C" int __stdcall ModulCreate(int Left, int Top, int Width, int Height, int OsCodeArg,
                                     int LanguageCodeArg, const char* Caption, const char* PageHint,
                                     int ValidOsMaskArg, int HelpId) {
    Application::ReleaseHeldImage();
    platform::ScopeExit leave([] { Application::LeaveExport(); });  // after the scope below
    Application::Scope scope;
    try {
        const std::string caption = Caption ? Caption : "";
        const std::string hint = PageHint ? PageHint : "";
        // A page the host forgot to free would otherwise be orphaned.
        if (ModulePage) ModulePage->Free();
        LanguageCode = LanguageCodeArg;
        OsCode = OsCodeArg;
        ValidOsMask = ValidOsMaskArg;
        TFormWendrik* page = platform::Form::Create<TFormWendrik>();
        ModulePage = page;
        page->SetText(caption);
        page->SetBounds(Left, Top, Width, Height);  // one move: the anchored controls follow once
        page->SetTag(OsCodeArg);
        page->SetHint(hint);
        page->HelpId = HelpId;
        page->Show();
        if (ModulePage == page) page->Sprache(LanguageCode);
    } catch (...) {
        // The host learns nothing of a failed creation: the result is 0 either way.
    }
    return 0;
}

extern "C" int __stdcall ModulFree() {
    Application::ReleaseHeldImage();
    platform::ScopeExit leave([] { Application::LeaveExport(); });  // after the scope below
    Application::Scope scope;
    try {
        if (TFormWendrik* page = ModulePage) {
            ModulePage = nullptr;
            page->Free();
        }
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int __stdcall ModulSaveChanges() {
    Application::ReleaseHeldImage();
    platform::ScopeExit leave([] { Application::LeaveExport(); });  // after the scope below
    Application::Scope scope;
    try {
        if (ModulePage) ModulePage->HotSpeedButtonOKClick();
    } catch (...) {
        platform::ReportCurrentError();  // as a click's error would be
    }
    return 1;
}
