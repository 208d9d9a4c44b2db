#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "ExportFileCheck.h"
#include "RunningExport.h"
#include "platform/system/Language.h"

// What the registry export page says, beyond the texts of its table, in the
// module's language (platform::Language), as every text of the module is.
namespace wendrik::page_texts {

inline std::string Say(const std::string& english, const std::string& german) {
    return platform::Language::Say(english, german);
}

// `limitedRights`: the editor ran without administrator rights, so the keys
// that this user may not read are not in the file.
inline std::string Exported(const std::string& dir, const std::string& file, bool limitedRights = false) {
    if (!limitedRights)
        return Say("Registry exported to " + dir + "\\" + file + " !",
                   "Registry wurde komplett nach " + dir + "\\" + file + " exportiert !");
    return Say("Registry exported to " + dir + "\\" + file +
                   " ! The registry editor ran without administrator rights: keys that this user may not "
                   "read are missing.",
               "Registry wurde nach " + dir + "\\" + file +
                   " exportiert ! Der Registrierungs-Editor lief ohne Administratorrechte: Schlüssel, die "
                   "dieser Benutzer nicht lesen darf, fehlen.");
}

inline std::string NotAvailable() {
    return Say("This tip is not available on this Windows version. Nothing was exported.",
               "Dieser Tipp ist unter dieser Windows-Version nicht verfügbar. Es wurde nichts exportiert.");
}

inline std::string SettingsUnreadable() {
    return Say(
        "The backup settings could not be read when this page was opened, so there is no "
        "export file name. Nothing was exported.",
        "Die Backup-Einstellungen konnten beim Öffnen dieser Seite nicht gelesen werden, "
        "daher gibt es keinen Dateinamen für den Export. Es wurde nichts exportiert.");
}

inline std::string FolderMissing(const std::string& dir) {
    return Say("The backup directory \"" + dir + "\" does not exist. Nothing was exported.",
               "Das Backup Verzeichnis \"" + dir + "\" existiert nicht. Es wurde nichts exportiert.");
}

inline std::string FolderNoAnswer(const std::string& dir) {
    return Say("The backup directory \"" + dir +
                   "\" does not answer (a network folder that is gone, or a "
                   "drive that is not ready?). Nothing was exported.",
               "Das Backup Verzeichnis \"" + dir +
                   "\" antwortet nicht (ein nicht mehr erreichbarer "
                   "Netzwerkordner oder ein nicht bereites Laufwerk?). Es wurde nichts exportiert.");
}

inline std::string FolderNotWritable(const std::string& dir, const std::string& reason) {
    return Say("Nothing can be written to the backup directory \"" + dir + "\" (" + reason + "). Nothing was exported.",
               "In das Backup Verzeichnis \"" + dir + "\" kann nicht geschrieben werden (" + reason +
                   "). Es wurde nichts exportiert.");
}

// The system's own words for an error, in the page's language where the
// system has that language, else in its own.
inline std::string SystemReason(DWORD code) {
    const LANGID wanted = platform::Language::IsEnglish() ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                                          : MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    char text[512] = {};
    DWORD n = 0;
    for (LANGID language : {wanted, LANGID(0)}) {
        n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, language, text,
                           sizeof(text), nullptr);
        if (n) break;
    }
    std::string reason(text, n);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? (Say("error ", "Fehler ")) + std::to_string(code) : reason;
}

inline std::string PathTooLong(const std::string& target, size_t limit) {
    return Say("The export file " + target + " would have a path longer than " + std::to_string(limit) +
                   " characters. Please choose a shorter backup directory. "
                   "Nothing was exported.",
               "Die Exportdatei " + target + " hätte einen Pfad mit mehr als " + std::to_string(limit) +
                   " Zeichen. Bitte wählen Sie ein kürzeres Backup Verzeichnis. Es wurde nichts exportiert.");
}

inline std::string Overwrite(const std::string& target, const std::string& date) {
    return Say("The file " + target + " already exists, written on " + date + ". Overwrite it with today's export?",
               "Die Datei " + target + " existiert bereits, geschrieben am " + date +
                   ". Soll sie mit dem heutigen Export überschrieben werden?");
}

inline std::string EditorNotStarted(const std::string& reason) {
    return Say("The registry editor could not be started (" + reason + "). Nothing was exported.",
               "Der Registrierungs-Editor konnte nicht gestartet werden (" + reason + "). Es wurde nichts exportiert.");
}

inline std::string Cancelled() {
    return Say(
        "The export was cancelled: the registry editor was not allowed to start. Nothing was "
        "exported, and existing backups are unchanged.",
        "Der Export wurde abgebrochen: der Registrierungs-Editor durfte nicht starten. Es wurde "
        "nichts exportiert, vorhandene Sicherungen sind unverändert.");
}

// The incomplete file is never kept; `earlierKept`: the earlier backup of
// that name is there as it was.
inline std::string Incomplete(const std::string& target, const std::string& reason, bool earlierKept) {
    std::string kept = Say(
        (earlierKept ? " The earlier backup " + target + " is unchanged." : " No file was kept."),
        (earlierKept ? " Die frühere Sicherung " + target + " ist unverändert." : " Es wurde keine Datei behalten."));
    return Say("The registry editor did not write a complete export to " + target + " (" + reason +
                   "). The export failed." + kept,
               "Der Registrierungs-Editor hat keinen vollständigen Export nach " + target + " geschrieben (" + reason +
                   "). Der Export ist fehlgeschlagen." + kept);
}

// The export is whole but could not take the dated name: it stays as `kept`.
inline std::string NotReplaced(const std::string& target, const std::string& kept, const std::string& reason) {
    return Say("The export is complete, but " + target + " could not be replaced (" + reason +
                   "). The new export was kept as " + kept + ".",
               "Der Export ist vollständig, aber " + target + " konnte nicht ersetzt werden (" + reason +
                   "). Der neue Export liegt unter " + kept + ".");
}

inline std::string NotFlushed(const std::string& reason) {
    return Say("the new file could not be written through to the disk: " + reason,
               "die neue Datei konnte nicht auf den Datenträger geschrieben werden: " + reason);
}

inline std::string CheckBroke(unsigned long code) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%08lX", code);
    return Say(std::string("the export could not be checked (exception ") + hex + ")",
               std::string("der Export konnte nicht geprüft werden (Ausnahme ") + hex + ")");
}

// The line under the check box while the editor writes; `percent` < 0: no estimate.
inline std::string Progress(const std::string& megabytes, int percent) {
    std::string line = Say("Exporting: " + megabytes + " MB written", "Export läuft: " + megabytes + " MB geschrieben");
    if (percent >= 0)
        line += Say(", about " + std::to_string(percent) + "%", ", etwa " + std::to_string(percent) + " %");
    return line;
}

// The same line otherwise: the newest backup in the folder.
inline std::string LastBackup(const std::string& when, const std::string& megabytes) {
    return (Say("Last backup: ", "Letzte Sicherung: ")) + when + ", " + megabytes + " MB";
}

inline std::string EditorFailed(unsigned long code) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), code > 0xFFFF ? "0x%08lX" : "%lu", code);
    return Say(std::string("the registry editor ended with code ") + hex,
               std::string("der Registrierungs-Editor endete mit Code ") + hex);
}

inline std::string EditorNotAwaited() {
    return Say("the end of the registry editor could not be awaited",
               "auf das Ende des Registrierungs-Editors konnte nicht gewartet werden");
}

inline std::string Reason(ExportFault fault) {
    switch (fault) {
        case ExportFault::NothingWritten:
            return Say("no file was written", "es wurde keine Datei geschrieben");
        case ExportFault::Unreadable:
            return Say("the file cannot be read", "die Datei kann nicht gelesen werden");
        case ExportFault::NotAnExport:
            return Say("the file is not a registry export", "die Datei ist kein Registry-Export");
        case ExportFault::Cut:
            return Say("the file breaks off in the middle", "die Datei bricht mittendrin ab");
        case ExportFault::NoEnd:
            return Say("the end of the export, the user's keys under HKEY_USERS, is missing",
                       "das Ende des Exports, die Schlüssel des Benutzers unter HKEY_USERS, fehlt");
        case ExportFault::NoMachineKeys:
            return Say("HKEY_LOCAL_MACHINE is missing", "HKEY_LOCAL_MACHINE fehlt");
        case ExportFault::NoUserKeys:
            return Say("HKEY_CURRENT_USER is missing", "HKEY_CURRENT_USER fehlt");
        case ExportFault::No64BitKeys:
            return Say(
                "only the 32-bit view of the registry was exported: HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                "WOW6432Node is missing",
                "nur die 32-Bit-Ansicht der Registry wurde exportiert: HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                "WOW6432Node fehlt");
        case ExportFault::None:
            break;
    }
    return "";
}

// What the page says of an export that did not end whole in place:
// `earlierKept`, an earlier backup of that name is there as it was.
inline std::string Outcome(const RunningExport::Result& result, const std::string& target, const std::string& temporary,
                           bool earlierKept) {
    using Kind = RunningExport::Result::Kind;
    if (result.kind == Kind::NotReplaced) {
        std::string why = SystemReason(result.error);
        if (result.flushFailed) why = NotFlushed(why);
        return NotReplaced(target, temporary, why);
    }
    std::string why = CheckBroke(result.exception);
    if (result.kind == Kind::Failed) why = result.editorCode ? EditorFailed(result.editorCode) : Reason(result.fault);
    return Incomplete(target, why, earlierKept);
}

inline std::string BackupFolderHelp() {
    return Say(
        "Choose the folder that the registry export is written to. Pick a drive and a folder, "
        "or type the name of a new folder: it is created when you confirm with OK. The export "
        "file is named after the date, for example 2026127.reg.",
        "Wählen Sie den Ordner, in den der Registry-Export geschrieben wird. Wählen Sie ein "
        "Laufwerk und einen Ordner, oder geben Sie den Namen eines neuen Ordners ein: er wird "
        "angelegt, wenn Sie mit OK bestätigen. Die Exportdatei trägt das Datum als Namen, zum "
        "Beispiel 2026127.reg.");
}

}  // namespace wendrik::page_texts
