// Stand-in for the host's help-text library: the texts of the registry
// export tip, and null for everything else.
#include <windows.h>

namespace {

constexpr int kRegistryExportTip = 288;

const char kGerman[] =
    "Mit diesem Tipp wird die komplette Registry in eine Datei exportiert.\r\n"
    "Die Datei trägt das Datum des Exports als Namen (Jahr, Monat, Tag) und die Endung .reg.\r\n"
    "Wählen Sie das Backup Verzeichnis, setzen Sie das Häkchen und klicken Sie auf Übernehmen.\r\n"
    "Zum Wiederherstellen die Datei doppelt anklicken.";

const char kEnglish[] =
    "This tip exports the complete registry into one file.\r\n"
    "The file is named after the date of the export (year, month, day) and ends in .reg.\r\n"
    "Choose the backup directory, tick the check box and press apply.\r\n"
    "To restore, double-click the file.";

const char kRegistryKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

extern "C" const char* __stdcall GetHelpText(int id, int kind) {
    if (id != kRegistryExportTip) return nullptr;
    switch (kind) {
    case 2: return kGerman;
    case 4: return kEnglish;
    case 5: return kRegistryKey;
    default: return nullptr;
    }
}
