// Prints how fast the DTAZV writer turns 100,000 transfers into a file, and
// how that compares with writing the same number of ready-made 768-byte
// records to the same folder in the same run.
//
//   dtazv_writer_bench [folder] [transfers]
#include "dtazv/VekDTAZV.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Input
{
    std::string payee;
    std::string street;
    std::string place;
    std::string purpose;
    double amount;
};

std::vector<Input> makeInputs(int count)
{
    static const char* const kNames[] = {"Müller & Söhne GmbH", "Jörg Weiß", "Café Zürich AG",
                                         "Société Générale", "Hans Meier KG"};
    std::vector<Input> inputs;
    inputs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        inputs.push_back({std::string(kNames[i % 5]) + " " + std::to_string(i),
                          "Hauptstraße " + std::to_string(i % 300), "München",
                          "Rechnung Nr. " + std::to_string(100000 + i) + " vom 11.12.2026",
                          (i % 50000) * 1.37 + 0.5});
    }
    return inputs;
}

double writeWithWriter(const std::filesystem::path& dir, const std::vector<Input>& inputs)
{
    dtazv::TVekDTAZV writer;
    writer.setAuftraggeberName("Muster GmbH");
    writer.setAuftraggeberStrasse("Hauptstraße 1");
    writer.setAuftraggeberOrt("München");
    writer.setAuftraggeberBLZ(37040044);
    writer.setAuftraggeberKontoNr(532013000);
    writer.setPath(dir.string());
    writer.setFileName("bench-writer.dtazv");

    const auto start = Clock::now();
    writer.BeginFile(1);
    std::vector<std::string> purpose;
    const dtazv::DateTime tomorrow = dtazv::localNow() + 1;
    for (const Input& in : inputs) {
        purpose.assign({in.purpose, "Kunde 4711"});
        writer.AddTransfer("COBADEFFXXX", "DE89370400440532013000", in.payee, "", in.street,
                           in.place, "DE ", in.amount, purpose, tomorrow, " ", " ", "EUR");
    }
    writer.EndFile();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double writePrepared(const std::filesystem::path& dir, const std::vector<std::string>& records)
{
    const std::string path = (dir / "bench-prepared.dtazv").string();
    const auto start = Clock::now();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot create " + path);
    auto buffer = std::make_unique<char[]>(64 * 1024);
    std::setvbuf(file, buffer.get(), _IOFBF, 64 * 1024);
    for (const std::string& record : records)
        std::fwrite(record.data(), 1, record.size(), file);
    std::fclose(file);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const std::filesystem::path dir =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::current_path();
    const int count = argc > 2 ? std::stoi(argv[2]) : 100000;
    const std::vector<Input> inputs = makeInputs(count);

    // The prepared records are the writer's own T records, read back once.
    writeWithWriter(dir, inputs);
    std::ifstream in(dir / "bench-writer.dtazv", std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
        records.push_back(file.substr(256 + i * 768, 768));

    // Best of nine, alternating, so both see the same state of the disk.
    double writer = 1e9;
    double prepared = 1e9;
    for (int round = 0; round < 9; ++round) {
        writer = std::min(writer, writeWithWriter(dir, inputs));
        prepared = std::min(prepared, writePrepared(dir, records));
    }
    std::filesystem::remove(dir / "bench-writer.dtazv");
    std::filesystem::remove(dir / "bench-prepared.dtazv");

    std::printf("transfers:                %d\n", count);
    std::printf("writer:                   %.3f s, %.0f T records/s\n", writer, count / writer);
    std::printf("prepared 768-byte writes: %.3f s, %.0f records/s\n", prepared, count / prepared);
    std::printf("ratio writer/prepared:    %.2f (target at most 3)\n", writer / prepared);
    return 0;
}
