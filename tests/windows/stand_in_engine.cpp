// The stand-in engine of the Windows start test: writes its current folder and then its
// arguments, as its C runtime read them, one a line in UTF-8, to "report" beside itself.
#include <string>

#include <windows.h>

namespace {

std::wstring folder_of_this_program() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    return path.substr(0, path.find_last_of(L"\\/"));
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    std::wstring text(32768, L'\0');
    text.resize(::GetCurrentDirectoryW(DWORD(text.size()), text.data()));
    text += L'\n';
    for (int i = 1; i < argc; ++i)
        text += std::wstring(argv[i]) + L'\n';
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(
        std::size_t(::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(),
                                          int(utf8.size()), nullptr, nullptr)));

    // Under another name first, so that a report is never read half-written.
    const std::wstring report = folder_of_this_program() + L"\\report";
    const HANDLE file = ::CreateFileW((report + L".part").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, utf8.data(), DWORD(utf8.size()), &written, nullptr) &&
                    written == utf8.size();
    ::CloseHandle(file);
    return ok && ::MoveFileExW((report + L".part").c_str(), report.c_str(),
                               MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
