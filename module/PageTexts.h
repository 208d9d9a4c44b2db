#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "ExportFileCheck.h"
#include "RunningExport.h"

// What the registry export page says, beyond the texts of its table.
namespace wendrik::page_texts {

// `limitedRights`: the editor ran without administrator rights, so the keys
// that this user may not read are not in the file.
inline std::string Exported(bool english, const std::string& dir, const std::string& file,
                            bool limitedRights = false) {
    if (!limitedRights)
        return english ? "Registry exported to " + dir + "\\" + file + " !"
                       : "Registry wurde komplett nach " + dir + "\\" + file + " exportiert !";
    return english ? "Registry exported to " + dir + "\\" + file +
                         " ! The registry editor ran without administrator rights: keys that this user may not "
                         "read are missing."
                   : "Registry wurde nach " + dir + "\\" + file +
                         " exportiert ! Der Registrierungs-Editor lief ohne Administratorrechte: Schlüssel, die "
                         "dieser Benutzer nicht lesen darf, fehlen.";
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

inline std::string FolderNoAnswer(bool english, const std::string& dir) {
    return english ? "The backup directory \"" + dir + "\" does not answer (a network folder that is gone, or a "
                         "drive that is not ready?). Nothing was exported."
                   : "Das Backup Verzeichnis \"" + dir + "\" antwortet nicht (ein nicht mehr erreichbarer "
                         "Netzwerkordner oder ein nicht bereites Laufwerk?). Es wurde nichts exportiert.";
}

inline std::string FolderNotWritable(bool english, const std::string& dir, const std::string& reason) {
    return english ? "Nothing can be written to the backup directory \"" + dir + "\" (" + reason +
                         "). Nothing was exported."
                   : "In das Backup Verzeichnis \"" + dir + "\" kann nicht geschrieben werden (" + reason +
                         "). Es wurde nichts exportiert.";
}

// The system's own words for an error, in the page's language where the
// system has that language, else in its own.
inline std::string SystemReason(bool english, DWORD code) {
    const LANGID wanted = english ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) : MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    char text[512] = {};
    DWORD n = 0;
    for (LANGID language : {wanted, LANGID(0)}) {
        n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, language, text,
                           sizeof(text), nullptr);
        if (n) break;
    }
    std::string reason(text, n);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ' ||
                               reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? (english ? "error " : "Fehler ") + std::to_string(code) : reason;
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

// The incomplete file is never kept; `earlierKept`: the earlier backup of
// that name is there as it was.
inline std::string Incomplete(bool english, const std::string& target, const std::string& reason,
                              bool earlierKept) {
    std::string kept = english ? (earlierKept ? " The earlier backup " + target + " is unchanged."
                                              : " No file was kept.")
                               : (earlierKept ? " Die frühere Sicherung " + target + " ist unverändert."
                                              : " Es wurde keine Datei behalten.");
    return english ? "The registry editor did not write a complete export to " + target + " (" + reason +
                         "). The export failed." + kept
                   : "Der Registrierungs-Editor hat keinen vollständigen Export nach " + target + " geschrieben (" +
                         reason + "). Der Export ist fehlgeschlagen." + kept;
}

// The export is whole but could not take the dated name: it stays as `kept`.
inline std::string NotReplaced(bool english, const std::string& target, const std::string& kept,
                               const std::string& reason) {
    return english ? "The export is complete, but " + target + " could not be replaced (" + reason +
                         "). The new export was kept as " + kept + "."
                   : "Der Export ist vollständig, aber " + target + " konnte nicht ersetzt werden (" + reason +
                         "). Der neue Export liegt unter " + kept + ".";
}

inline std::string NotFlushed(bool english, const std::string& reason) {
    return english ? "the new file could not be written through to the disk: " + reason
                   : "die neue Datei konnte nicht auf den Datenträger geschrieben werden: " + reason;
}

inline std::string CheckBroke(bool english, unsigned long code) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%08lX", code);
    return english ? std::string("the export could not be checked (exception ") + hex + ")"
                   : std::string("der Export konnte nicht geprüft werden (Ausnahme ") + hex + ")";
}

// The line under the check box while the editor writes; `percent` < 0: no estimate.
inline std::string Progress(bool english, const std::string& megabytes, int percent) {
    std::string line = english ? "Exporting: " + megabytes + " MB written" : "Export läuft: " + megabytes + " MB geschrieben";
    if (percent >= 0) line += english ? ", about " + std::to_string(percent) + "%" : ", etwa " + std::to_string(percent) + " %";
    return line;
}

// The same line otherwise: the newest backup in the folder.
inline std::string LastBackup(bool english, const std::string& when, const std::string& megabytes) {
    return (english ? "Last backup: " : "Letzte Sicherung: ") + when + ", " + megabytes + " MB";
}

inline std::string EditorFailed(bool english, unsigned long code) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), code > 0xFFFF ? "0x%08lX" : "%lu", code);
    return english ? std::string("the registry editor ended with code ") + hex
                   : std::string("der Registrierungs-Editor endete mit Code ") + hex;
}

inline std::string EditorNotAwaited(bool english) {
    return english ? "the end of the registry editor could not be awaited"
                   : "auf das Ende des Registrierungs-Editors konnte nicht gewartet werden";
}

inline std::string Reason(bool english, ExportFault fault) {
    switch (fault) {
    case ExportFault::NothingWritten: return english ? "no file was written" : "es wurde keine Datei geschrieben";
    case ExportFault::Unreadable: return english ? "the file cannot be read" : "die Datei kann nicht gelesen werden";
    case ExportFault::NotAnExport:
        return english ? "the file is not a registry export" : "die Datei ist kein Registry-Export";
    case ExportFault::Cut:
        return english ? "the file breaks off in the middle" : "die Datei bricht mittendrin ab";
    case ExportFault::NoEnd:
        return english ? "the end of the export, the user's keys under HKEY_USERS, is missing"
                       : "das Ende des Exports, die Schlüssel des Benutzers unter HKEY_USERS, fehlt";
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

// What the page says of an export that did not end whole in place:
// `earlierKept`, an earlier backup of that name is there as it was.
inline std::string Outcome(bool english, const RunningExport::Result& result, const std::string& target,
                           const std::string& temporary, bool earlierKept) {
    using Kind = RunningExport::Result::Kind;
    if (result.kind == Kind::NotReplaced) {
        std::string why = SystemReason(english, result.error);
        if (result.flushFailed) why = NotFlushed(english, why);
        return NotReplaced(english, target, temporary, why);
    }
    std::string why = CheckBroke(english, result.exception);
    if (result.kind == Kind::Failed)
        why = result.editorCode ? EditorFailed(english, result.editorCode) : Reason(english, result.fault);
    return Incomplete(english, target, why, earlierKept);
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
