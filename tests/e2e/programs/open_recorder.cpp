// Stands in for the browser in the end-to-end tests: the program a document
// type is associated with. Started as
//     open_recorder.exe <record file> <arguments>...
// it writes the arguments after the record file into that file, one a line,
// and ends. The file appears whole at once, so a reader never sees half of it.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string lines;
    for (int i = 2; i < argc; ++i) lines.append(argv[i]).append("\r\n");
    const std::string record = argv[1];
    const std::string partial = record + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != lines.size()) return 1;
    return MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
