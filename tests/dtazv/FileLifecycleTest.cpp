#include "WriterFixture.h"
#include "dtazv/DtazvError.h"

namespace dtazv {
namespace {

using test::expectDtazvError;
using test::positions;
using test::Transfer;

class FileLifecycle : public test::WriterFixture
{};

TEST_F(FileLifecycle, EmptyNameLeavesTheFileCreatedEmptyAndOpen)
{
    writer.setAuftraggeberName("");
    expectDtazvError([&] { writer.BeginFile(1); }, "Der Name muss angegeben werden.");
    EXPECT_TRUE(std::filesystem::exists(outputPath()));
    EXPECT_EQ(std::filesystem::file_size(outputPath()), 0u);
    EXPECT_TRUE(writer.isFileOpen());
}

TEST_F(FileLifecycle, BadBankCodeKeepsTheCountOfTheLastFile)
{
    fileWith({Transfer{}, Transfer{}});
    writer.setAuftraggeberBLZ(100000000);
    writer.setAusfuehrungsdatum(encodeDate(2026, 12, 1));
    expectDtazvError([&] { writer.BeginFile(1); },
                     "Die Bankleitzahl muss genau 8 Zeichen besitzen.");
    EXPECT_EQ(writer.TransferCount(), 2);
    EXPECT_DOUBLE_EQ(writer.Ausfuehrungsdatum(), test::fixedNow()) << "date rule ran first";
}

TEST_F(FileLifecycle, SerialOutsideTwoDigitsIsRefusedBeforeAnythingIsCreated)
{
    for (int serial : {-1, 100}) {
        SCOPED_TRACE(serial);
        expectDtazvError([&] { writer.BeginFile(serial); },
                         "Die laufende Nummer der Datei muss zwischen 0 und 99 liegen.");
        EXPECT_FALSE(std::filesystem::exists(outputPath()));
        EXPECT_FALSE(writer.isFileOpen());
    }
}

TEST_F(FileLifecycle, AbandonedFileIsDiscardedByTheNextBeginFile)
{
    writer.setFileName("ERSTER");
    writer.BeginFile(1);
    add(Transfer{});
    const auto abandoned = outputPath();

    writer.setFileName("ZWEITER");
    const std::string file = fileWith({});
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_EQ(file.size(), 512u);
    EXPECT_EQ(positions(file.substr(256), 21, 35), "000000000000000");
}

TEST_F(FileLifecycle, NewRunUnderTheSameNameStartsAFreshFile)
{
    writer.BeginFile(1);
    add(Transfer{});
    add(Transfer{});
    EXPECT_EQ(fileWith({Transfer{}}).size(), 512u + 768u);
}

TEST_F(FileLifecycle, AbortFileDeletesOnlyAnUnfinishedFile)
{
    writer.BeginFile(1);
    add(Transfer{});
    writer.AbortFile();
    EXPECT_FALSE(writer.isFileOpen());
    EXPECT_FALSE(std::filesystem::exists(outputPath()));

    fileWith({Transfer{}});
    writer.AbortFile();
    EXPECT_TRUE(std::filesystem::exists(outputPath())) << "a finished file stays";
}

TEST_F(FileLifecycle, WriterGoingAwayRemovesItsUnfinishedFile)
{
    std::filesystem::path unfinished;
    {
        TVekDTAZV other;
        other.setClock(test::fixedNow);
        other.setAuftraggeberName("X");
        other.setAuftraggeberBLZ(37040044);
        other.setAuftraggeberKontoNr(532013000);
        other.setPath(m_dir.string());
        other.setFileName("UNFERTIG");
        other.BeginFile(1);
        unfinished = m_dir / "UNFERTIG";
        EXPECT_TRUE(std::filesystem::exists(unfinished));
    }
    EXPECT_FALSE(std::filesystem::exists(unfinished));
}

TEST_F(FileLifecycle, TransfersAndTrailerNeedAnOpenFile)
{
    expectDtazvError([&] { add(Transfer{}); }, "Es ist keine DTAZV-Datei geöffnet.");
    expectDtazvError([&] { writer.EndFile(); }, "Es ist keine DTAZV-Datei geöffnet.");
}

TEST_F(FileLifecycle, FileLayerErrorsNameTheFile)
{
    writer.setPath((m_dir / "fehlt").string());
    try {
        writer.BeginFile(1);
        ADD_FAILURE() << "created a file in a missing folder";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("kann nicht angelegt werden"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("fehlt/DTAZV"), std::string::npos);
    }
    EXPECT_FALSE(writer.isFileOpen());
}

TEST_F(FileLifecycle, FullDiskIsReportedAndTheDeviceLeftAlone)
{
    // Writes to the full device fail once the buffer is flushed.
    writer.setPath("/dev/");
    writer.setFileName("full");
    writer.BeginFile(1);
    EXPECT_THROW(
        {
            for (int i = 0; i < 200; ++i)
                add(Transfer{});
            writer.EndFile();
        },
        FileError);
    writer.AbortFile();
    EXPECT_TRUE(std::filesystem::exists("/dev/full")) << "only regular files are deleted";
}

TEST_F(FileLifecycle, SecondFileReusesTheWritersSettings)
{
    writer.SetCurrency("USD");
    writer.setFileName("AUSLAND.TXT");
    fileWith({Transfer{}});
    const std::string second = fileWith({Transfer{}});
    EXPECT_TRUE(std::filesystem::exists(m_dir / "AUSLAND.TXT"));
    EXPECT_EQ(positions(second.substr(256, 768), 456, 458), "USD");
    EXPECT_EQ(writer.AmountSum(), 100);
    EXPECT_EQ(writer.TransferCount(), 1);
}

} // namespace
} // namespace dtazv
