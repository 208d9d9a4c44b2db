#include "HelpTextLibrary.h"

#include "platform/Application.h"

namespace wendrik {

HelpTextLibrary::HelpTextLibrary() {
    std::string folder = platform::Application::ExeFolder();
    if (folder.empty()) return;  // a bare name would be searched for
    library_ = LoadLibraryExA((folder + "Vellumor.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library_)
        getHelpText_ = reinterpret_cast<GetHelpTextFn>(GetProcAddress(library_, "GetHelpText"));
}

HelpTextLibrary::~HelpTextLibrary() {
    if (library_) FreeLibrary(library_);
}

std::string HelpTextLibrary::Text(int helpId, int kind) const {
    const char* found = getHelpText_ ? getHelpText_(helpId, kind) : nullptr;
    return found ? found : "";
}

}  // namespace wendrik
