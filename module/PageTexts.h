#pragma once
#include <string>

#include "ExportFileCheck.h"

// What the registry export page says, beyond the texts of its table.
namespace wendrik::page_texts {

inline std::string Exported(bool english, const std::string& dir, const std::string& file) {
    return english ? "Registry exported to " + dir + "\\" + file + " !"
                   : "Registry wurde komplett nach " + dir + "\\" + file + " exportiert !";
}

inline std::string NotAvailable(bool english) {
    return english ? "This tip is not available on this Windows version. Nothing was exported."
                   : "Dieser Tipp ist unter dieser Windows-Version nicht verfügbar. Es wurde nichts exportiert.";
}

inline std::string SettingsUnreadable(bool english) {
    return english ? "The backup settings could not be read when this page was opened, so there is no "
                     "export file name. Nothing was exported."
                   : "Die Backup-Einstellungen konnten beim Öffnen dieser Seite nicht gelesen werden, "
                     "daher gibt es keinen Dateinamen für den Export. Es wurde nichts exportiert.";
}

inline std::string FolderMissing(bool english, const std::string& dir) {
    return english ? "The backup directory \"" + dir + "\" does not exist. Nothing was exported."
                   : "Das Backup Verzeichnis \"" + dir + "\" existiert nicht. Es wurde nichts exportiert.";
}

inline std::string PathTooLong(bool english, const std::string& target, size_t limit) {
    return english ? "The export file " + target + " would have a path longer than " +
                         std::to_string(limit) + " characters. Please choose a shorter backup directory. "
                         "Nothing was exported."
                   : "Die Exportdatei " + target + " hätte einen Pfad mit mehr als " + std::to_string(limit) +
                         " Zeichen. Bitte wählen Sie ein kürzeres Backup Verzeichnis. Es wurde nichts exportiert.";
}

inline std::string Overwrite(bool english, const std::string& target, const std::string& date) {
    return english ? "The file " + target + " already exists, written on " + date +
                         ". Overwrite it with today's export?"
                   : "Die Datei " + target + " existiert bereits, geschrieben am " + date +
                         ". Soll sie mit dem heutigen Export überschrieben werden?";
}

inline std::string EditorNotStarted(bool english, const std::string& reason) {
    return english ? "The registry editor could not be started (" + reason + "). Nothing was exported."
                   : "Der Registrierungs-Editor konnte nicht gestartet werden (" + reason +
                         "). Es wurde nichts exportiert.";
}

inline std::string Cancelled(bool english) {
    return english ? "The export was cancelled: the registry editor was not allowed to start. Nothing was "
                     "exported, and existing backups are unchanged."
                   : "Der Export wurde abgebrochen: der Registrierungs-Editor durfte nicht starten. Es wurde "
                     "nichts exportiert, vorhandene Sicherungen sind unverändert.";
}

inline std::string Incomplete(bool english, const std::string& target, const std::string& reason) {
    return english ? "The registry editor did not write a complete export to " + target + " (" + reason +
                         "). Do not rely on this file as a backup. The export failed."
                   : "Der Registrierungs-Editor hat keinen vollständigen Export nach " + target + " geschrieben (" +
                         reason + "). Verlassen Sie sich nicht auf diese Datei als Sicherung. "
                         "Der Export ist fehlgeschlagen.";
}

inline std::string Reason(bool english, ExportFault fault) {
    switch (fault) {
    case ExportFault::NothingWritten: return english ? "no file was written" : "es wurde keine Datei geschrieben";
    case ExportFault::Unreadable: return english ? "the file cannot be read" : "die Datei kann nicht gelesen werden";
    case ExportFault::NotAnExport:
        return english ? "the file is not a registry export" : "die Datei ist kein Registry-Export";
    case ExportFault::Cut:
        return english ? "the file breaks off in the middle" : "die Datei bricht mittendrin ab";
    case ExportFault::NoMachineKeys:
        return english ? "HKEY_LOCAL_MACHINE is missing" : "HKEY_LOCAL_MACHINE fehlt";
    case ExportFault::NoUserKeys:
        return english ? "HKEY_CURRENT_USER is missing" : "HKEY_CURRENT_USER fehlt";
    case ExportFault::No64BitKeys:
        return english ? "only the 32-bit view of the registry was exported: HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                         "WOW6432Node is missing"
                       : "nur die 32-Bit-Ansicht der Registry wurde exportiert: HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                         "WOW6432Node fehlt";
    case ExportFault::None: break;
    }
    return "";
}

inline std::string BackupFolderHelp(bool english) {
    return english ? "Choose the folder that the registry export is written to. Pick a drive and a folder, "
                     "or type the name of a new folder: it is created when you confirm with OK. The export "
                     "file is named after the date, for example 2026127.reg."
                   : "Wählen Sie den Ordner, in den der Registry-Export geschrieben wird. Wählen Sie ein "
                     "Laufwerk und einen Ordner, oder geben Sie den Namen eines neuen Ordners ein: er wird "
                     "angelegt, wenn Sie mit OK bestätigen. Die Exportdatei trägt das Datum als Namen, zum "
                     "Beispiel 2026127.reg.";
}

}  // namespace wendrik::page_texts
