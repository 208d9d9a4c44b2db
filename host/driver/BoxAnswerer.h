#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace desktop {

// Answers the message boxes of this thread from a thread timer: records
// each box's text and presses `button` (IDOK, IDYES, IDNO, ...). A box
// without that button gets its first of IDOK, IDYES.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button = IDOK);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    void SetButton(int button) { button_ = button; }
    // Called with each box's text as it is found, before it is answered.
    void OnBox(std::function<void(const std::string&)> seen) { seen_ = std::move(seen); }
    const std::vector<std::string>& Texts() const { return texts_; }
    // The window that owned each box, as the system tells it (null: none).
    const std::vector<HWND>& Owners() const { return owners_; }
    std::string Joined() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);

    int button_;
    UINT_PTR timer_;
    std::vector<std::string> texts_;
    std::vector<HWND> answered_;
    std::vector<HWND> owners_;
    std::function<void(const std::string&)> seen_;
};

}  // namespace desktop
