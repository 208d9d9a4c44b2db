#include "PageHelp.h"

#include "PageTexts.h"
#include "platform/system/Application.h"
#include "platform/window/MessageBoxes.h"
#include "template/TemplateState.h"

namespace wendrik {

void PageHelp::Install() { platform::Application::SetHelpHandler(Show); }

void PageHelp::Show(int helpContext) {
    if (helpContext == kBackupFolder) platform::ShowMessage(page_texts::BackupFolderHelp());
}

}  // namespace wendrik
