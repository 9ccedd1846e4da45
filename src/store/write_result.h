#pragma once

namespace scrivlet {

// What became of a write to the snippet file or the settings.
enum class [[nodiscard]] WriteResult {
    Ok,
    Failed,   // the system refused it (read-only file, vanished folder)
    TooLong,  // refused before writing: the value could not be read back whole
    LineBreak,  // refused before writing: a CR or LF would break the file's lines
};

inline bool succeeded(WriteResult r) { return r == WriteResult::Ok; }

// The first failure of a sequence of writes, so one command reports once.
inline WriteResult firstFailure(WriteResult sofar, WriteResult next) {
    return sofar == WriteResult::Ok ? next : sofar;
}

}  // namespace scrivlet
