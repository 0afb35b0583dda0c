#include "savegame/AtomicWrite.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tessarion {

namespace {

FileResult failure(const std::string& reason) {
    return {false, "ERROR", "Unable to save the game: " + reason};
}

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// A name beside the target that no other save of this process, nor another
// process, is using at the same moment.
std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + "." + std::to_string(processId()) + "-" + std::to_string(counter++) + ".tmp";
}

// Writes, flushes and syncs the temporary file; false with errno set on failure.
bool writeAndSync(std::FILE* file, std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return false;
    }
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// The rename itself is only durable once the folder's entry is on disk too.
// Best effort: some file systems refuse to sync a folder, and the new file is
// complete either way.
void syncFolderOf(const std::string& path) {
#ifndef _WIN32
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#else
    (void)path;
#endif
}

}  // namespace

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string temporary;
    std::FILE* file = nullptr;
    // "x": never open a file that is already there, in case a name clashes.
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temporary = temporaryNameFor(path);
        file = std::fopen(temporary.c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (file == nullptr) {
        return {false, "ERROR", "Unable to open file!"};
    }

    const bool written = writeAndSync(file, bytes);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        return failure(std::strerror(!written ? writeError : closeError));
    }

    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return failure(ec.message());
    }
    syncFolderOf(path);
    return {true, "", ""};
}

}  // namespace tessarion
