#include <exception>
#include <string>

#include "Exports.h"
#include "FormWendrik.h"
#include "ModuleState.h"
#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/system/HandlerScope.h"
#include "platform/window/MessageBoxes.h"
#include "platform/window/WindowClass.h"
#include "platform/system/RangeError.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemBoundary.h"
#include "template/HostProtocol.h"

using namespace wendrik;
using platform::Application;
using platform::HandlerScope;
using platform::ImageHold;

namespace wendrik {

void LibraryStartup() {
    UINT id = RegisterWindowMessageA(HostMessageName);
    if (id > 0xFFFF) throw platform::RangeError();
    HostMessage = static_cast<std::uint16_t>(id);
}

}  // namespace wendrik

namespace {

// What every export does around its work: the image's own reference goes
// where the host holds it; the work runs in a handler scope, so that what it
// frees goes when it returns; the form hold and, once no form is left, the
// window class go afterwards, on the host's thread. Nothing escapes to the
// host: `failed` gives the result then.
template <class Work, class Failed>
int ExportBoundary(Work work, Failed failed) noexcept {
    ImageHold::ReleaseHeldImage();
    platform::ScopeExit leave([] {  // after the scope below
        ImageHold::LeaveExport();
        if (ImageHold::FormCount() == 0) platform::WindowClass::Unregister();
    });
    HandlerScope scope;
    return platform::SystemBoundary::Enter(work, failed);
}

}  // namespace

extern "C" int __stdcall ModulCreate(int Left, int Top, int Width, int Height, int OsCodeArg,
                                     int LanguageCodeArg, const char* Caption, const char* PageHint,
                                     int ValidOsMaskArg, int HelpId) {
    return ExportBoundary(
        [&] {
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
            return 0;
        },
        [] { return 0; });  // the host learns nothing of a failed creation: the result is 0 either way
}

extern "C" int __stdcall ModulFree() {
    return ExportBoundary(
        [] {
            if (TFormWendrik* page = ModulePage) {
                ModulePage = nullptr;
                page->Free();
            }
            return 1;
        },
        [] { return 0; });
}

extern "C" int __stdcall ModulSaveChanges() {
    return ExportBoundary(
        [] {
            if (ModulePage) ModulePage->HotSpeedButtonOKClick();
            return 1;
        },
        [] {
            platform::ReportCurrentError();  // as a click's error would be
            return 1;
        });
}
