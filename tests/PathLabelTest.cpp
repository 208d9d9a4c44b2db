// The path label: drawn as the system draws text, shortened anew when resized.
#include "PathTestSupport.h"

using namespace path_test;

namespace {

std::vector<DWORD> Snapshot(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return ClientPixels(window);
}

// What DrawTextA makes of `text` on white in the form's font.
std::vector<DWORD> Reference(HWND like, const std::string& text, UINT flags) {
    RECT r;
    GetClientRect(like, &r);
    HWND scratch = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 600, r.right, r.bottom,
                                   nullptr, nullptr, nullptr, nullptr);
    Font font{FontSpec{}};
    HDC dc = GetDC(scratch);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SelectObject(dc, old);
    ReleaseDC(scratch, dc);
    std::vector<DWORD> pixels = ClientPixels(scratch);  // read back before it repaints
    DestroyWindow(scratch);
    return pixels;
}

class PathLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new platform::Form(nullptr);
        form->SetColor(RGB(255, 255, 255));
        form->SetFont(FontSpec{});
        form->SetClientSize(500, 100);
        label = form->Make<TPathLabel>();
        label->SetBounds(10, 10, 400, 16);
        label->SetParent(form);
        label->SetColor(RGB(255, 255, 255));
        form->Show();
        PumpPending();
    }
    void TearDown() override { delete form; }
    platform::Form* form = nullptr;
    TPathLabel* label = nullptr;
};

TEST_F(PathLabelTest, DrawsAnAmpersandAsIs) {
    label->SetText("C:\\Tom & Jerry\\&Co.txt");
    EXPECT_EQ(Reference(label->Handle(), "C:\\Tom & Jerry\\&Co.txt", DT_NOPREFIX), Snapshot(label->Handle()));
    EXPECT_NE(Reference(label->Handle(), "C:\\Tom & Jerry\\&Co.txt", 0), Snapshot(label->Handle()));
    EXPECT_EQ(16, label->Height());  // no automatic size
    EXPECT_EQ(400, label->Width());
}

TEST_F(PathLabelTest, ShortensAnewAfterAResize) {
    const std::string path = "C:\\Program Files\\Common\\Shared\\app.exe";
    label->SetText(path);
    EXPECT_EQ(Reference(label->Handle(), path, DT_NOPREFIX), Snapshot(label->Handle()));
    MeasuringCanvas c;
    label->SetWidth(c.Width("C:\\...\\Shared\\app.exe"));
    EXPECT_EQ(Reference(label->Handle(), "C:\\...\\Shared\\app.exe", DT_NOPREFIX), Snapshot(label->Handle()));
    EXPECT_EQ(path, label->Text());  // the caption stays whole
    label->SetAlignment(platform::Alignment::Right);
    label->SetWidth(300);
    EXPECT_EQ(Reference(label->Handle(), path, DT_NOPREFIX | DT_RIGHT), Snapshot(label->Handle()));
}

}  // namespace
