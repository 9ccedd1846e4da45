#pragma once
#include <string>

#include "platform/files.h"
#include "platform/unicode.h"

namespace scrivlet {

// A snippet file that an editor saved as UTF-8 or UTF-16 (today's Notepad
// saves UTF-8) must never be read as Windows-1252 bytes: its names would turn
// into "GrÃ¼ÃŸe", and every write would mix two encodings in one file. It is
// turned once into the program's own form (Windows-1252 with "\u{...}" for
// the characters the code page lacks), after the file as it was is copied
// beside it.
struct SnippetEncoding {
    enum class Outcome {
        AsItIs,        // already Windows-1252 (or ASCII): nothing to do
        Converted,     // the copy is made and the file is rewritten
        CopyFailed,    // no copy could be made: the file is left untouched
        WriteFailed,   // the copy exists, the file could not be rewritten
    };
    Outcome outcome = Outcome::AsItIs;
    FileEncoding encoding = FileEncoding::Windows1252;
    // Where the file as it was was copied to.
    std::string copyPath;
};

SnippetEncoding convertToSnippetForm(FileSystem& files, const std::string& path);

// The bytes of the file in the program's own form: each character the code
// page lacks becomes "\u{...}", in the sections of entry texts with the
// backslash doubled, as every backslash is there.
std::string snippetFormOf(std::string_view utf8);

// "UTF-8" or "UTF-16", as the user is told.
std::string encodingName(FileEncoding encoding);

}  // namespace scrivlet
