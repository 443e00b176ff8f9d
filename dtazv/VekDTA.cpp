#include "dtazv/VekDTA.h"

#include "dtazv/DtazvError.h"
#include "dtazv/Messages.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <system_error>

namespace dtazv {
namespace {

constexpr std::size_t kFileBufferSize = 64 * 1024;

std::string fileMessage(std::string_view pattern, const std::string& path, int error)
{
    std::string message(pattern);
    message.replace(message.find("%1"), 2, path);
    message.replace(message.find("%2"), 2, std::strerror(error));
    return message;
}

// False for a fraction, for infinity and for not a number. Both bounds lie
// far below 2^53, so every whole number between them is exact as a double.
bool isWholeNumberBetween(double value, double lowest, double highest)
{
    return value >= lowest && value <= highest && std::trunc(value) == value;
}

} // namespace

TVekBaseDTA::TVekBaseDTA() : m_clock(localNow) {}

TVekBaseDTA::~TVekBaseDTA()
{
    AbortFile();
}

void TVekBaseDTA::setPath(const std::string& value)
{
    if (value.empty())
        return;
    m_path = value.back() == kSeparator ? value : value + kSeparator;
}

void TVekBaseDTA::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(localNow);
}

bool TVekBaseDTA::CheckBLZ(double value) const
{
    if (!isWholeNumberBetween(value, 10000000, 99999999))
        throw DtazvError(messages::kBlz);
    return true;
}

bool TVekBaseDTA::CheckKontoNr(double value) const
{
    if (!isWholeNumberBetween(value, 10, 9999999999))
        throw DtazvError(messages::kKontoNr);
    return true;
}

void TVekBaseDTA::CheckHeader()
{
    // An unset date (zero or less) stays as it is; a past date or one more
    // than 15 days ahead silently becomes the current moment.
    const DateTime current = now();
    if ((m_ausfuehrungsdatum > 0 && m_ausfuehrungsdatum < current) ||
        m_ausfuehrungsdatum > current + 15)
        m_ausfuehrungsdatum = current;
    CheckBLZ(m_auftraggeberBLZ);
    CheckKontoNr(static_cast<double>(m_auftraggeberKontoNr));
    m_transferCount = 0;
}

void TVekBaseDTA::WriteString(const std::string& bytes)
{
    if (m_file == nullptr)
        throw DtazvError(messages::kNoOpenFile);
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        throw FileError(fileMessage(messages::kCannotWrite, m_unfinishedPath, errno));
}

std::string TVekBaseDTA::Spaces(int count)
{
    return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

void TVekBaseDTA::CloseFile()
{
    if (m_file == nullptr)
        return;
    std::FILE* file = std::exchange(m_file, nullptr);
    const bool failedBefore = std::ferror(file) != 0;
    errno = 0;
    const bool failedOnClose = std::fclose(file) != 0;
    const int error = errno != 0 ? errno : EIO;
    m_fileBuffer.reset();
    if (failedBefore || failedOnClose)
        throw FileError(fileMessage(messages::kCannotWrite, m_unfinishedPath, error));
}

void TVekBaseDTA::AbortFile()
{
    if (m_file != nullptr) {
        std::fclose(std::exchange(m_file, nullptr));
        m_fileBuffer.reset();
    }
    if (!m_unfinishedPath.empty()) {
        // Only a regular file is ours to delete; the output may have been a device.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(m_unfinishedPath, ignored))
            std::filesystem::remove(m_unfinishedPath, ignored);
        m_unfinishedPath.clear();
    }
}

void TVekBaseDTA::createOutputFile(const std::string& fullPath)
{
    std::FILE* file = std::fopen(fullPath.c_str(), "wb");
    if (file == nullptr)
        throw FileError(fileMessage(messages::kCannotCreate, fullPath, errno));
    m_fileBuffer = std::make_unique<char[]>(kFileBufferSize);
    std::setvbuf(file, m_fileBuffer.get(), _IOFBF, kFileBufferSize);
    m_file = file;
    m_unfinishedPath = fullPath;
}

void TVekBaseDTA::finishOutputFile()
{
    CloseFile();
    m_unfinishedPath.clear();
}

} // namespace dtazv
