#pragma once
#include <windows.h>
#include <string>

#include "Files.h"

namespace platform {

// Puts the process's current directory back when it goes, also when an
// error passes; a directory that is gone meanwhile is left alone.
class [[nodiscard]] CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() : saved_(GetDir()) {}
    explicit CurrentDirectoryKeeper(std::string saved) : saved_(std::move(saved)) {}
    ~CurrentDirectoryKeeper() {
        if (!dismissed_ && DirectoryExists(saved_)) SetCurrentDirectoryA(saved_.c_str());
    }
    // The directory stays where it is now.
    void Dismiss() { dismissed_ = true; }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;
    const std::string& Saved() const { return saved_; }

private:
    std::string saved_;
    bool dismissed_ = false;
};

}  // namespace platform
