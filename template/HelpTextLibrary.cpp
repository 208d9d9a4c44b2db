#include "HelpTextLibrary.h"

#include "platform/Application.h"

namespace wendrik {

HelpTextLibrary::HelpTextLibrary()
    : library_(LoadLibraryExA((platform::Application::ExeFolder() + "Vellumor.dll").c_str(), nullptr,
                              LOAD_WITH_ALTERED_SEARCH_PATH)) {
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
