// The Start menu's way into the panel: it runs the panel beside it in a
// folder of the user's own, %LOCALAPPDATA%\Korvan, made when missing. The
// panel keeps its address memory file (zenkaiip.txt) in the folder it runs
// in, and the installation folder is not the user's to write.
#include "res/version.h"
#include "toolkit/core/utf16.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::filesystem::path userFolder(std::error_code &error)
{
    PWSTR base = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &base);
    std::filesystem::path folder;
    if (SUCCEEDED(result)) {
        folder = std::filesystem::path(base) / tk::widen(res::kProductName);
        std::filesystem::create_directories(folder, error);
    } else {
        error.assign(HRESULT_CODE(result), std::system_category());
    }
    ::CoTaskMemFree(base);
    return folder;
}

std::filesystem::path panelBesideThis()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).replace_filename(tk::widen(res::kInternalName) + L".exe");
}

// A program started from the Start menu has no console to report to.
int report(const std::wstring &what, DWORD code)
{
    wchar_t *reason = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPWSTR>(&reason), 0, nullptr);
    const std::wstring text = what + L"\n\n" + (reason ? reason : L"");
    ::LocalFree(reason);
    ::MessageBoxW(nullptr, text.c_str(), tk::widen(res::kProductName).c_str(), MB_ICONERROR | MB_OK);
    return EXIT_FAILURE;
}

} // namespace

int main()
{
    std::error_code error;
    const std::filesystem::path folder = userFolder(error);
    if (error)
        return report(folder.wstring(), static_cast<DWORD>(error.value()));

    const std::filesystem::path panel = panelBesideThis();
    std::wstring command = L'"' + panel.wstring() + L'"';
    // What the shell gave this program, passed on: the shortcut's way of
    // showing the window (normal, minimised or maximised) and its name.
    STARTUPINFOW startup{};
    ::GetStartupInfoW(&startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(panel.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &process))
        return report(panel.wstring(), ::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return EXIT_SUCCESS;
}
