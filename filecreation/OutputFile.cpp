#include "filecreation/OutputFile.h"

#include "dtazv/DtazvError.h"
#include "store/Schema.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace filecreation {
namespace {

std::string quoted(const std::filesystem::path& path, bool english)
{
    return english ? "\"" + path.string() + "\"" : "„" + path.string() + "“";
}

// Data reaches the disk before the name points at it, so that a crash after
// the rename never shows a file of the right name and the wrong content.
void syncFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw dtazv::FileError(
            "Die Datei \"" + path.string() +
            "\" kann nicht vollständig geschrieben werden: " + std::strerror(error));
}

// The new name itself; not every file system can sync a folder, and the
// file is complete either way.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<std::string> refusedTarget(const std::filesystem::path& target,
                                         const std::string& dataDirectory, bool english)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return english ? quoted(target, true) +
                             " is not an ordinary file (it is a folder, a device or a pipe). "
                             "Please choose another name for the DTAZV file."
                       : quoted(target, false) +
                             " ist keine gewöhnliche Datei (sondern ein Ordner, ein Gerät oder "
                             "eine Pipe). Bitte wählen Sie einen anderen Namen für die "
                             "DTAZV-Datei.";
    for (const store::TableDef* table : store::allTables()) {
        const std::filesystem::path tableFile =
            std::filesystem::path(dataDirectory) / table->fileName;
        if (std::filesystem::equivalent(target, tableFile, error))
            return english ? quoted(target, true) +
                                 " is a table of the program and is not overwritten. Please "
                                 "choose another name for the DTAZV file."
                           : quoted(target, false) +
                                 " ist eine Tabelle des Programms und wird nicht überschrieben. "
                                 "Bitte wählen Sie einen anderen Namen für die DTAZV-Datei.";
    }
    return std::nullopt;
}

std::filesystem::path createPrivateFileBeside(const std::filesystem::path& target)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix = ".";
        for (int i = 0; i < 8; ++i)
            suffix += kLetters[pick(random)];
        std::filesystem::path candidate = target;
        candidate += suffix + ".partial";
        // "x": fails when the name exists, so nothing is ever replaced.
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            std::fclose(file);
            return candidate;
        }
        if (errno != EEXIST)
            break;
    }
    throw dtazv::FileError("Im Ordner \"" + target.parent_path().string() +
                           "\" kann keine Datei angelegt werden.");
}

void moveIntoPlace(const std::filesystem::path& file, const std::filesystem::path& target)
{
    syncFile(file);
    std::error_code error;
    std::filesystem::rename(file, target, error);
    if (error)
        throw dtazv::FileError("Die Datei \"" + target.string() +
                               "\" kann nicht geschrieben werden: " + error.message());
    syncFolder(target.parent_path());
}

} // namespace filecreation
