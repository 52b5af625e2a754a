// Reading a large delimited data file record by record, as a merged print run does.
//
//   merge_bench --benchmark_filter='ReadRecords/200$'   200 MB, a tenth of the fields quoted
//   merge_bench --benchmark_filter='ReadRecords/0$'     a tiny file: the idle memory baseline
//   merge_bench --benchmark_filter='HugeLine'           one 100 MB line
//
// Peak memory is measured from outside, e.g. /usr/bin/time -v (maximum resident set size) of
// the 200 MB run minus that of the tiny run. Files are generated into /tmp on first use.

#include "merge/DataFileReader.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <cstdio>
#include <random>
#include <string>

namespace {
const char* const kFirstNames[] = {"Anna",
                                   "Jan",
                                   "Petra",
                                   "Tom\xC3\xA1\xC5\xA1",
                                   "Eva",
                                   "Luk\xC3\xA1\xC5\xA1",
                                   "Marie",
                                   "Ond\xC5\x99"
                                   "ej"};
const char* const kLastNames[] = {"Nov\xC3\xA1k", "Svoboda", "Dvo\xC5\x99\xC3\xA1k", "Black",
                                  "O'Neill",      "Smith",   "Horv\xC3\xA1th",       "Kr\xC3\xA1l"};
const char* const kCities[] = {"Ostrava", "Brno", "Praha", "Olomouc", "Zl\xC3\xADn", "Opava"};

// One field, quoted about one time in ten; quoted fields carry a separator or a doubled quote.
void AppendField(std::string& line, std::mt19937& random, const std::string& text) {
    if (random() % 10 == 0) {
        line += '"';
        line += text;
        line += random() % 2 ? ", suite 4" : " \"\"B\"\"";
        line += '"';
    } else {
        line += text;
    }
}

std::string RandomLine(std::mt19937& random, long number) {
    std::string line;
    auto pick = [&random](const auto& table) {
        return std::string(table[random() % std::size(table)]);
    };
    AppendField(line, random, std::to_string(number));
    line += ',';
    AppendField(line, random, pick(kFirstNames));
    line += ',';
    AppendField(line, random, pick(kLastNames));
    line += ',';
    AppendField(line, random, std::to_string(random() % 200 + 1) + " Long Street");
    line += ',';
    AppendField(line, random, pick(kCities));
    line += ',';
    AppendField(line, random, std::to_string(70000 + random() % 9000));
    line += ',';
    AppendField(line, random,
                std::to_string(random() % 100000) + "." + std::to_string(random() % 90 + 10));
    line += ',';
    AppendField(line, random, "Order note " + std::to_string(random() % 1000));
    line += "\r\n";
    return line;
}

// A delimited file of about megabytes MB (a few lines when 0), generated once.
QString DelimitedFile(long megabytes) {
    const std::string path = "/tmp/vellumtrace-merge-bench-" + std::to_string(megabytes) + ".csv";
    const long target = megabytes == 0 ? 1000 : megabytes * 1000 * 1000;
    if (QFileInfo(QString::fromStdString(path)).size() >= target)
        return QString::fromStdString(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return {};
    std::mt19937 random(2026);
    std::string chunk = "id,first,last,street,city,postcode,amount,note\r\n";
    long written = 0;
    for (long number = 1; written < target; ++number) {
        chunk += RandomLine(random, number);
        if (chunk.size() > (1 << 20) || written + long(chunk.size()) >= target) {
            std::fwrite(chunk.data(), 1, chunk.size(), file);
            written += long(chunk.size());
            chunk.clear();
        }
    }
    std::fclose(file);
    return QString::fromStdString(path);
}

// One line of 60 MB, just under the longest line a data file may hold: long quoted and unquoted
// fields, no line end.
QString HugeLineFile() {
    const std::string path = "/tmp/vellumtrace-merge-bench-hugeline-60mb.csv";
    const long target = 60L * 1000 * 1000;
    if (QFileInfo(QString::fromStdString(path)).size() >= target)
        return QString::fromStdString(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return {};
    const std::string block(1 << 20, 'x');
    long written = 0;
    for (int i = 0; written < target; ++i) {
        const std::string piece = (i % 10 == 0 ? "\"a,\"\"b" + block + "\"," : block + ",");
        std::fwrite(piece.data(), 1, piece.size(), file);
        written += long(piece.size());
    }
    std::fclose(file);
    return QString::fromStdString(path);
}

TTextImportSettings CommaSettings() {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::CommaDelimited;
    return settings;
}

void ReadWholeFile(benchmark::State& state, const QString& path) {
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the data file into /tmp");
        return;
    }
    const TTextImportSettings settings = CommaSettings();
    const int64_t bytes = QFileInfo(path).size();
    int64_t records = 0;
    int64_t fields = 0;
    for (auto _ : state) {
        TDataFileReader reader(settings);
        reader.OpenDataFile(path);
        fields += reader.ImportRecord().size();
        ++records;
        while (!reader.AtEndOfData()) {
            reader.ReadNextRecord();
            fields += reader.ImportRecord().size();
            ++records;
        }
        reader.CloseDataFile();
    }
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["records"] = double(records) / double(state.iterations());
    state.counters["fields"] = double(fields) / double(state.iterations());
}

void ReadRecords(benchmark::State& state) {
    ReadWholeFile(state, DelimitedFile(long(state.range(0))));
}

void HugeLine(benchmark::State& state) {
    ReadWholeFile(state, HugeLineFile());
}
} // namespace

BENCHMARK(ReadRecords)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(HugeLine)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
