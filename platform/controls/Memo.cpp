#include "Memo.h"

namespace platform {

Memo::Memo(Component* owner) : Control(owner) {}

void Memo::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "EDIT";
    params.style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
    params.style |= WS_BORDER;  // flat: one pixel, not a sunken edge
}

void Memo::SetLines(const std::string& text) {
    std::string normal;
    normal.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            normal += "\r\n";
        } else if (c == '\n') {
            normal += "\r\n";
        } else {
            normal += c;
        }
    }
    SetText(normal);
}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    std::string text = Text();
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace platform
