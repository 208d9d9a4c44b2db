#include "PickDirectory.h"

#include "DriveQueries.h"
#include "ResourceStrings.h"
#include "SelectDirDlg.h"
#include "platform/system/CurrentDirectoryKeeper.h"
#include "platform/system/Files.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

bool PickDirectory(std::string& directory, TDirPickOptions options, int helpContext, Form* owner) {
    // The controls move the current directory wherever the user browses;
    // the host's own relative paths and searches must not follow them.
    CurrentDirectoryKeeper putBack;
    // Put back only where it still answers: a host on a share that vanished
    // meanwhile would hang in the test for it.
    ScopeExit probe([&putBack] {
        if (!PathAnswers(putBack.Saved(), kAnswerDeadlineMs)) putBack.Dismiss();
    });
    TSelectDirDlg* dialog = Form::Create<TSelectDirDlg>();
    ScopeExit destroy([dialog] { dialog->Free(); });

    dialog->SetStartDir(directory);
    dialog->SetTypeNameMode(options & dpTypeName);
    dialog->SetConfirmCreate(options & dpConfirmCreate);
    dialog->ScaleToScreen();
    dialog->UseHelpContext(helpContext);
    bool result = dialog->ShowModal(owner) == mrOk;
    if (!result) return false;
    std::string chosen = dialog->ChosenDir();
    if ((options & dpCreateOnOk) && !ForceDirectories(chosen)) {
        ShowMessage(Format(ResourceStrings::SCannotCreateDir(), {chosen}));
        return false;
    }
    directory = chosen;
    return true;
}

}  // namespace wendrik
