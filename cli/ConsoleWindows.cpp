// On Windows the C runtime hands main() its arguments in the ANSI code page and turns "\n"
// into "\r\n" on the way out. The tool takes its arguments from the wide command line instead,
// writes "\n" as it does everywhere (scripts compare its output byte for byte), and asks the
// console for UTF-8 and for the terminal sequences of its colours; a console that knows none
// gets no colours.
#include "Console.h"

// shellapi.h needs what windows.h declares.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

namespace {

std::string Utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// True when `stream` is no console, or a console that now takes terminal sequences.
bool TakesTerminalSequences(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode)) {
        return true;
    }
    return SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace

std::vector<std::string> PrepareConsole(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    if (!TakesTerminalSequences(STD_OUTPUT_HANDLE)) {
        _putenv_s("NO_COLOR", "1");
    }
    int count = 0;
    wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + 1, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(Utf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}
