#pragma once

namespace wendrik {

// The help the module gives on its help contexts, in the page's language:
// the platform's help call (the select-directory dialog's Help button) is
// pointed here.
class PageHelp {
public:
    static constexpr int kBackupFolder = 1000;  // the backup folder's select-directory dialog

    // Points the application's help call at Show.
    static void Install();
    // Shows the text for a help context; a context without a text shows nothing.
    static void Show(int helpContext);
};

}  // namespace wendrik
