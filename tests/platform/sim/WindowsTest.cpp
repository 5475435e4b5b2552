#include <windows.h>

#include <nirasim/Machine.h>
#include <nirasim/Windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Every message a window of the recording class sees, as (window, message) pairs.
std::vector<std::pair<HWND, UINT>> g_seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_seen.emplace_back(window, message);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK FailingCreateProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        return -1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr int kExtraBytes = 16;

class Windows : public ::testing::Test {
protected:
    nirasim::Machine machine;

    void SetUp() override
    {
        g_seen.clear();
        ASSERT_NE(Register(TEXT("Recording"), RecordingProc), 0);
    }

    static ATOM Register(LPCWSTR name, WNDPROC procedure)
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.cbWndExtra = kExtraBytes;
        windowClass.lpszClassName = name;
        return RegisterClassExW(&windowClass);
    }

    static HWND Make(HWND parent = nullptr, int id = 0, DWORD style = 0)
    {
        return CreateWindowExW(0, TEXT("Recording"), TEXT("Title"), style | (parent ? WS_CHILD : 0), 0, 0, 10,
                               10, parent, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(id)), nullptr,
                               nullptr);
    }
};

TEST_F(Windows, CreateAndDestroySendTheirMessagesInOrder)
{
    HWND parent = Make();
    HWND child = Make(parent, 7);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgItem(parent, 7), child);
    EXPECT_EQ(GetParent(child), parent);
    g_seen.clear();

    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> expected{
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(g_seen, expected);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Windows, CreationFailsForAnUnknownClassOrARefusedCreate)
{
    EXPECT_EQ(CreateWindowExW(0, TEXT("Nobody"), nullptr, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(Register(TEXT("recording"), RecordingProc), 0);  // names ignore case
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    ASSERT_NE(Register(TEXT("Refusing"), FailingCreateProc), 0);
    EXPECT_EQ(
        CreateWindowExW(0, TEXT("Refusing"), nullptr, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

TEST_F(Windows, TextIsKeptAndCutToTheCallersBuffer)
{
    HWND window = Make();
    WCHAR buffer[4] = {};
    EXPECT_EQ(GetWindowTextLengthW(window), 5);
    EXPECT_EQ(GetWindowTextW(window, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), std::u16string(TEXT("Tit")));
    ASSERT_TRUE(SetWindowTextW(window, TEXT("Ab")));
    EXPECT_EQ(GetWindowTextW(window, buffer, 4), 2);
    EXPECT_EQ(std::u16string(buffer), std::u16string(TEXT("Ab")));
    EXPECT_EQ(GetWindowTextW(window, buffer, 0), 0);
}

TEST_F(Windows, LongsReachTheExtraBytesOnlyWithinTheClassSize)
{
    HWND window = Make();
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 42);
    EXPECT_EQ(SetWindowLongPtrW(window, 8, 99), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, 8), 99);
    for (int outside : {kExtraBytes - 7, kExtraBytes, 1000}) {
        SetLastError(0);
        EXPECT_EQ(SetWindowLongPtrW(window, outside, 1), 0) << outside;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX)) << outside;
    }
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));
}

TEST_F(Windows, PostedMessagesWaitForTheLoop)
{
    HWND window = Make();
    g_seen.clear();
    ASSERT_TRUE(PostMessageW(window, WM_USER, 1, 2));
    ASSERT_TRUE(PostMessageW(window, WM_USER + 1, 0, 0));
    PostQuitMessage(3);
    EXPECT_TRUE(g_seen.empty());

    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, window, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    while (GetMessageW(&message, nullptr, 0, 0)) {
        DispatchMessageW(&message);
    }
    EXPECT_EQ(message.wParam, 3u);
    std::vector<std::pair<HWND, UINT>> expected{{window, WM_USER}, {window, WM_USER + 1}};
    EXPECT_EQ(g_seen, expected);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Windows, FocusEnableAndShowTellTheWindows)
{
    HWND parent = Make(nullptr, 0, WS_VISIBLE);
    HWND first = Make(parent, 1, WS_VISIBLE);
    HWND second = Make(parent, 2);
    g_seen.clear();

    EXPECT_EQ(SetFocus(first), nullptr);
    EXPECT_EQ(SetFocus(second), first);
    EXPECT_FALSE(EnableWindow(second, FALSE));  // it was enabled
    EXPECT_EQ(GetFocus(), nullptr);             // a disabled window loses the focus
    EXPECT_FALSE(IsWindowEnabled(second));
    EXPECT_TRUE(EnableWindow(second, FALSE));  // already disabled: no message
    std::vector<std::pair<HWND, UINT>> expected{{first, WM_SETFOCUS},
                                                {first, WM_KILLFOCUS},
                                                {second, WM_SETFOCUS},
                                                {second, WM_KILLFOCUS},
                                                {second, WM_ENABLE}};
    EXPECT_EQ(g_seen, expected);

    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(first));  // a hidden parent hides its children
}

TEST_F(Windows, KeyStateFollowsTheTestKeyboard)
{
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    nirasim::SetKeyDown(VK_CONTROL, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    nirasim::SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
}

}  // namespace
