#pragma once
#include "platform/system/Language.h"

// The texts the template shows, German and English.
namespace wendrik::texts {

using Pair = platform::TextPair;

inline constexpr Pair UndoHint{"Restore defaults", "Setzt alles wieder auf die Standartwerte"};
inline constexpr Pair OkHint{"Changes will be saved immediately", "Änderungen werden gespeichert"};
inline constexpr Pair RegistryHint{"Registry Lookup", "Wert in der Registry nachschlagen"};
inline constexpr Pair InfoHint{"Valid to ...", "Gültig für ... "};  // the German ends in a blank
inline constexpr Pair SwitchWindow{"Change Window", "Fenster wechseln"};
inline constexpr Pair ValidFor{"Valid for:\r\n\r\n", "Gültig für:\r\n\r\n"};

// The restart exists in German only.
inline constexpr char RestartQuestion[] =
    "Um diese Änderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der "
    "Neustart jetzt durchgeführt werden ?";
inline constexpr char RestartFailed[] =
    "Das System läßt sich zur Zeit nicht neu starten. Bitte führen Sie später manuell einen "
    "Neustart durch";

// Names of bits 0 to 12 of the valid-version mask; bit n is version code n + 1.
inline constexpr const char* VersionNames[] = {
    "Windows 98 Standard Edition",         "Windows 98 Standard Edition A",
    "Windows 98 Second Edition",           "Windows 95",
    "Windows 95 A",                        "Windows 95 B",
    "Windows 95 B OEM Service Release 2",  "Windows 95 B OEM Service Release 2.1",
    "Windows 95 C OEM Service Release 2.5 C", "Windows NT",
    "Windows 2000",                        "Windows 98 ME",
    "Windows XP",
};

}  // namespace wendrik::texts
