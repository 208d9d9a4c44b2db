#pragma once
#include <string>

#include "platform/system/Language.h"

namespace wendrik {

// The texts the directory-selection controls and the select-directory
// dialog show, in the module's language (platform::Language).
class ResourceStrings {
public:
    // "%s" takes the typed path.
    static std::string SInvalidFileName() {
        return Say("Invalid file name: \"%s\" names no file", "Ungültiger Dateiname: \"%s\" ist keine Datei");
    }
    static std::string SSelectDirCap() { return Say("Select Directory", "Verzeichnis auswählen"); }
    // The accelerators of one language differ from each other.
    static std::string SDirNameCap() { return Say("Directory &name:", "Verzeichnis&name:"); }
    static std::string SDrivesCap() { return Say("D&rives:", "&Laufwerke:"); }
    static std::string SDirsCap() { return Say("&Directories:", "&Verzeichnisse:"); }
    static std::string SFilesCap() { return Say("&Files: (*.*)", "&Dateien: (*.*)"); }
    static std::string SNetworkCap() { return Say("Ne&twork...", "Netz&werk..."); }
    static std::string SOKButton() { return "OK"; }
    static std::string SCancelButton() { return Say("Cancel", "Abbrechen"); }
    static std::string SHelpButton() { return Say("&Help", "&Hilfe"); }
    static std::string SConfirmCreateDir() {
        return Say("The specified directory does not exist. Create it?",
                   "Das angegebene Verzeichnis existiert nicht. Soll es erstellt werden?");
    }
    static std::string SNoDirectoryName() {
        return Say("Please type the name of a directory.", "Bitte geben Sie den Namen eines Verzeichnisses ein.");
    }
    // "%s" takes the directory.
    static std::string SCannotCreateDir() {
        return Say("The directory \"%s\" could not be created. Nothing was changed.",
                   "Das Verzeichnis \"%s\" konnte nicht erstellt werden. Es wurde nichts geändert.");
    }

    // "%s" takes the folder's name as shown.
    static std::string SCannotOpenFolder() {
        return Say("The folder \"%s\" cannot be opened: its name has characters that this program cannot show, "
                   "and it has no short name.",
                   "Der Ordner \"%s\" kann nicht geöffnet werden: sein Name enthält Zeichen, die dieses Programm "
                   "nicht darstellen kann, und er hat keinen Kurznamen.");
    }
    // "%s" takes the folder.
    static std::string SFolderNoAnswer() {
        return Say("The folder \"%s\" does not answer (a network folder that is gone, or a drive that is not "
                   "ready?). Nothing was changed.",
                   "Der Ordner \"%s\" antwortet nicht (ein nicht mehr erreichbarer Netzwerkordner oder ein nicht "
                   "bereites Laufwerk?). Es wurde nichts geändert.");
    }
    // "%s" takes the folder.
    static std::string SFolderTooDeep() {
        return Say("The folder \"%s\" lies too deep to be listed: its path is too long for this program.",
                   "Der Ordner \"%s\" liegt zu tief, um aufgelistet zu werden: sein Pfad ist für dieses Programm "
                   "zu lang.");
    }

private:
    static std::string Say(const char* english, const char* german) {
        return platform::Language::Say(platform::TextPair{english, german});
    }
};

}  // namespace wendrik
