// Starting the tool on Windows: CreateProcessW with a command line quoted as the C runtime
// splits it, the standard streams redirected to files, waited for with a time limit.
#include "ToolRunner.h"

#include <chrono>
#include <cstdio>
#include <cwctype>
#include <windows.h>

namespace z9rt::cli::test {
namespace {

// A tool that hangs is killed after this long, so the test fails instead.
constexpr std::chrono::milliseconds kLongestRun{60000};

std::wstring Wide(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// One argument as the C runtime reads it back: quoted when it holds blanks or quotes, with
// the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring Upper(std::wstring name) {
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return name;
}

// The test's environment with `changes` applied, as CreateProcessW takes it: sorted entries
// "NAME=VALUE", each ended by a zero, and one more zero. Names ignore case.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& changes) {
    std::map<std::wstring, std::wstring> merged;  // by upper-case name: name=value
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        const std::size_t equals = text.find(L'=', 1);  // "=C:=C:\..." entries start with '='
        if (equals != std::wstring::npos) {
            merged[Upper(text.substr(0, equals))] = text;
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : changes) {
        const std::wstring wideName = Wide(name);
        if (value.empty()) {
            merged.erase(Upper(wideName));
        } else {
            merged[Upper(wideName)] = wideName + L"=" + Wide(value);
        }
    }
    std::wstring block;
    for (const auto& entry : merged) {
        block.append(entry.second).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

HANDLE OpenInherited(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(Wide(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// The address space limit needs prlimit, which Windows lacks: the tool runs without one.
RunningTool StartTool(const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::string& directory, const std::string& input,
                      std::size_t /*addressSpaceLimit*/) {
    std::wstring commandLine = Quoted(Wide(Z9RTCTL_PATH));
    for (const std::string& argument : arguments) {
        commandLine.append(L" ").append(Quoted(Wide(argument)));
    }
    static int runs = 0;
    const std::string suffix = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::string outPath = directory + "/.tool-stdout-" + suffix;
    std::string errPath = directory + "/.tool-stderr-" + suffix;

    const HANDLE in = OpenInherited(input.empty() ? "NUL" : input, false);
    const HANDLE out = OpenInherited(outPath, true);
    const HANDLE err = OpenInherited(errPath, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring block = EnvironmentBlock(environment);
    const std::wstring folder = Wide(directory);
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(),
                                        folder.c_str(), &startup, &process) != 0;
    for (const HANDLE handle : {in, out, err}) {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    if (!started) {
        return RunningTool(-1, std::move(outPath), std::move(errPath));
    }
    CloseHandle(process.hThread);
    return RunningTool(reinterpret_cast<std::intptr_t>(process.hProcess), std::move(outPath),
                       std::move(errPath));
}

ToolRun RunningTool::Finish() {
    ToolRun run;
    if (process_ != -1) {
        const auto process = reinterpret_cast<HANDLE>(process_);
        if (WaitForSingleObject(process, static_cast<DWORD>(kLongestRun.count())) !=
            WAIT_OBJECT_0) {
            // Hung: it is killed and the run counts as not having ended normally.
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
        } else {
            DWORD code = 0;
            if (GetExitCodeProcess(process, &code)) {
                run.status = static_cast<int>(code);
            }
        }
        CloseHandle(process);
        process_ = -1;
    }
    TakeOutput(run);
    return run;
}

void RunningTool::Kill() {
    if (process_ != -1) {
        TerminateProcess(reinterpret_cast<HANDLE>(process_), 1);
    }
}

}  // namespace z9rt::cli::test
