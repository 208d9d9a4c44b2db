#include "HelpTextLibrary.h"

#include "platform/system/Application.h"

namespace wendrik {

void HelpTextLibrary::Load() {
    tried_ = true;
    std::string folder = platform::Application::ExeFolder();
    if (folder.empty()) return;  // a bare name would be searched for
    library_.Reset(LoadLibraryExA((folder + "Vellumor.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (library_)
        getHelpText_ = reinterpret_cast<GetHelpTextFn>(GetProcAddress(library_.Get(), "GetHelpText"));
}

std::string HelpTextLibrary::Text(int helpId, int kind) {
    const auto key = std::make_pair(helpId, kind);
    if (auto known = known_.find(key); known != known_.end()) return known->second;
    if (!tried_) Load();
    if (!getHelpText_) return "";
    const char* found = getHelpText_(helpId, kind);
    return known_[key] = found ? found : "";
}

}  // namespace wendrik
