// The installed panel as a person starts it, from the Start menu's shortcut and
// from the unpacked zip (in KORVAN_UNPACKED); check-installer.sh runs it.
#include "toolkit/core/utf16.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

fs::path knownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    const fs::path folder = SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) ? path : L"";
    ::CoTaskMemFree(path);
    return folder;
}

const fs::path kInstalled = knownFolder(FOLDERID_ProgramFiles) / L"Korvan";
const fs::path kUserFolder = knownFolder(FOLDERID_LocalAppData) / L"Korvan";

// What the shell takes from the Start menu's shortcut to start it.
struct Shortcut
{
    fs::path target;
    fs::path folder;
    fs::path icon;
    int iconIndex = -1;
};

Shortcut startMenuEntry()
{
    Shortcut entry;
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    wchar_t text[MAX_PATH] = {};
    // Named as the Linux menu entry is.
    const fs::path path = knownFolder(FOLDERID_CommonPrograms) / L"Korvan" / L"Korvan.lnk";
    if (SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) &&
        SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        entry.target = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
            entry.folder = text;
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &entry.iconIndex)))
            entry.icon = text;
    }
    for (IUnknown *object : {static_cast<IUnknown *>(file), static_cast<IUnknown *>(link)})
        if (object)
            object->Release();
    return entry;
}

// Starts a program as the shell does, reads the address the panel's window
// offers and closes it with the close box. The launcher hands over to the
// panel, so the window is looked for by its title; the dialog manager shows
// it once it is filled.
std::wstring offeredAddress(const fs::path &program, const fs::path &folder)
{
    std::wstring command = L'"' + program.wstring() + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &started))
        return L"(not started)";
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    HWND window = nullptr;
    for (int tries = 0; tries < 300 && !::IsWindowVisible(window = ::FindWindowW(L"#32770", L"Korvan")); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    wchar_t text[32] = L"(no window)";
    DWORD id = 0;
    if (window && ::GetWindowThreadProcessId(window, &id)) {
        ::GetDlgItemTextW(window, 1000, text, std::size(text));
        const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
        ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(::WaitForSingleObject(process, 20000), WAIT_OBJECT_0) << "the panel did not end";
        ::CloseHandle(process);
    }
    return text;
}

void remember(const fs::path &folder, const std::string &address)
{
    fs::create_directories(folder);
    std::ofstream(folder / L"zenkaiip.txt", std::ios::binary) << address;
}

TEST(InstalledPanel, StartedFromTheStartMenuRunsInTheUsersOwnFolderMadeWhenMissing)
{
    const Shortcut entry = startMenuEntry();
    EXPECT_TRUE(fs::equivalent(entry.target, kInstalled / L"korvan-launcher.exe")) << entry.target;
    EXPECT_TRUE(fs::equivalent(entry.folder, kInstalled)) << entry.folder;
    EXPECT_TRUE(fs::equivalent(entry.icon, kInstalled / L"korvan.exe")) << entry.icon;
    EXPECT_EQ(entry.iconIndex, 0);

    fs::remove_all(kUserFolder);
    EXPECT_EQ(offeredAddress(entry.target, entry.folder), L"0.0.0.0") << "a blank address box";
    EXPECT_TRUE(fs::is_directory(kUserFolder));

    remember(kUserFolder, "127.0.0.5");
    // Another address where the shortcut starts, which the panel must not take.
    remember(kInstalled, "127.0.0.6");
    EXPECT_EQ(offeredAddress(entry.target, entry.folder), L"127.0.0.5");
    fs::remove(kInstalled / L"zenkaiip.txt");
}

TEST(InstalledPanel, StartedFromTheUnpackedZipOffersTheAddressRememberedThere)
{
    const char *unpacked = std::getenv("KORVAN_UNPACKED");
    ASSERT_NE(unpacked, nullptr) << "KORVAN_UNPACKED names the folder the zip was unpacked in";
    const fs::path folder = tk::widen(unpacked);
    remember(folder, "127.0.0.7");
    EXPECT_EQ(offeredAddress(folder / L"korvan.exe", folder), L"127.0.0.7");
}

} // namespace
