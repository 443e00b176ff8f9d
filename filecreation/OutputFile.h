#pragma once

#include <filesystem>
#include <optional>
#include <string>

// How a payment file reaches the path the user chose: written under a name
// of its own beside it, and only when complete moved over the chosen name in
// one step. Whatever was at the chosen path stays until then.
namespace filecreation {

// Why `target` must not be written, or nothing: a folder, a device, a pipe
// or another file that is not an ordinary one, and the program's own table
// files in `dataDirectory`. In the language asked for.
std::optional<std::string> refusedTarget(const std::filesystem::path& target,
                                         const std::string& dataDirectory, bool english);

// Creates a new, empty file in the folder of `target`, under a name that no
// other file there has (created exclusively, so it never replaces a file of
// the user's or of another run), and returns its path. Raises
// dtazv::FileError when the folder does not take a new file.
std::filesystem::path createPrivateFileBeside(const std::filesystem::path& target);

// Writes the finished `file` through to the disk and gives it the name
// `target` in one step, replacing what was there. Raises dtazv::FileError
// when it cannot; `file` is then left for the caller to remove.
void moveIntoPlace(const std::filesystem::path& file, const std::filesystem::path& target);

} // namespace filecreation
