#include "ModuleLibrary.h"

namespace demo {

bool ModuleLibrary::Load(const std::string& folder) {
    if (folder.empty()) return false;
    library = LoadLibraryExA((folder + "Wendrik.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return false;
    create = reinterpret_cast<CreateFn>(GetProcAddress(library, "ModulCreate"));
    free = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulFree"));
    save = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulSaveChanges"));
    changed = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulChanged"));
    nr = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulNr"));
    return create && free && save && changed && nr;
}

}  // namespace demo
