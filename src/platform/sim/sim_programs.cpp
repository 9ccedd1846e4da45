#include "platform/sim/sim_programs.h"

#include "platform/text.h"

namespace scrivlet {

namespace {

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extension(const std::string& path) {
    const std::string name = fileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : toLower(name.substr(dot));
}

bool isPlainFile(FileSystem& files, const std::string& path) {
    const auto a = files.attributes(path);
    return a && !a->directory;
}

}  // namespace

std::string programOfCommandLine(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        const auto close = commandLine.find('"', 1);
        return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    const auto end = commandLine.find_first_of(" \t");
    return commandLine.substr(0, end);
}

bool SimPrograms::exists(const std::string& program) {
    if (program.empty()) return false;
    if (program.find_first_of("\\/:") != std::string::npos) return isPlainFile(files_, program);
    std::string name = toLower(program);
    if (extension(name) == ".exe") name.resize(name.size() - 4);
    return installed.count(name) > 0;
}

bool SimPrograms::start(const std::string& commandLine, std::function<void()> onEnd) {
    tried.push_back(commandLine);
    if (!exists(programOfCommandLine(commandLine))) return false;
    started.push_back({commandLine, std::move(onEnd), true});
    return true;
}

bool SimPrograms::open(const std::string& path) {
    if (!isPlainFile(files_, path) || associations.count(extension(path)) == 0) return false;
    opened.push_back(path);
    return true;
}

void SimPrograms::end(std::size_t index) {
    if (index >= started.size() || !started[index].running) return;
    started[index].running = false;
    // The callback may start another program, which moves the vector.
    const std::function<void()> onEnd = started[index].onEnd;
    if (onEnd) onEnd();
}

void SimPrograms::endAll() {
    for (std::size_t i = 0; i < started.size(); ++i) end(i);
}

}  // namespace scrivlet
