#pragma once
#include <cstdint>
#include <string>

namespace platform {

// A text in both of the module's languages.
struct TextPair {
    const char* english;
    const char* german;
};

// The language every text of the module is shown in: English when the
// host's language code is 1, German for any other. One code for the
// process, which the host sets through the page (the template's
// LanguageCode is this code).
class Language {
public:
    static std::int32_t& Code();
    static bool IsEnglish() { return IsEnglish(Code()); }
    static bool IsEnglish(std::int32_t code) { return code == 1; }
    static void SetEnglish(bool english) { Code() = english ? 1 : 0; }
    static const char* Say(const TextPair& text) { return IsEnglish() ? text.english : text.german; }
    static std::string Say(const std::string& english, const std::string& german) {
        return IsEnglish() ? english : german;
    }
};

}  // namespace platform
