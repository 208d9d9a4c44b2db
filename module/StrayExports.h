#pragma once
#include <string>

#include "ExportFileCheck.h"

namespace wendrik {

// The temporary files of exports that nobody put in place: a host that
// quit or was ended while its editor wrote, a whole export that could not
// take its dated name. Touches the folder: run it beside the window where
// the folder may not answer.
class StrayExports {
public:
    // Settles every such file in `dir` (absolute) that no running export
    // holds and no program has open: one that passes the check becomes the
    // dated file of its own name when there is none or an older one (by
    // last write), made private where `privateAccess`; every other is
    // deleted. An old dated file left aside by a replace that broke off goes
    // back to its name where that is empty, and is deleted where the new one
    // is in place. Files this module did not name are never touched.
    // Returns how many it settled.
    static int Settle(const std::string& dir, const ExportFileCheck::Wanted& wanted, bool privateAccess);
    // True for a name this module gives a temporary file ("~2026127.reg.0A1B2C3D.tmp"),
    // with the dated name it was to become.
    static bool TemporaryName(const std::string& name, std::string& dated);
    // The same for the name an old dated file has while the new one takes
    // its place where the system has no replacing rename ("~2026127.reg.0A1B2C3D.old").
    static bool AsideName(const std::string& name, std::string& dated);
};

}  // namespace wendrik
