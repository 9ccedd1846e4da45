#include "store/snippet_path.h"

#include "store/file_helpers.h"

namespace scrivlet {

namespace {
const char* const SampleName = "sample.ini";
const char* const PathSetting = "path";
}  // namespace

std::string SnippetPath::remembered() { return settings_.get(PathSetting, ""); }

std::string SnippetPath::standardPath() { return appFolder(system_) + FileName; }

std::string SnippetPath::samplePath() { return appFolder(system_) + SampleName; }

std::string SnippetPath::inFolder(const std::string& folder) { return addBackslash(folder) + FileName; }

bool SnippetPath::exists(const std::string& path) { return fileExists(files_, path); }

WriteResult SnippetPath::remember() { return settings_.save(PathSetting, file_.path()); }

bool SnippetPath::createEmpty(const std::string& path) { return writeFileWhole(files_, path, ""); }

SnippetPath::StandardFile SnippetPath::useStandardFile() {
    StandardFile outcome;
    const std::string path = standardPath();
    const std::string sample = samplePath();
    use(path);
    if (!exists(path) && exists(sample)) outcome.sampleCopyFailed = !files_.copy(sample, path);
    outcome.remembered = remember();
    return outcome;
}

}  // namespace scrivlet
