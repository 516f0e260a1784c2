#include "test_support.h"

#include "output/output_sink.h"
#include "reading/line_reader.h"
#include "run/conversion_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>

namespace dxf2csv::test {

Converted convert(std::string_view drawing, std::string_view tolerance, TableSource tables) {
    MemorySource source(drawing);
    StringSink sink;
    Converted result;
    try {
        result.report = convertDrawing(source, sink, {std::string(tolerance), CsvEncoding::Drawing, tables}, "test.dxf").lines();
    } catch (const RunFailure& failure) {
        ADD_FAILURE() << "unexpected failure: " << failure.what();
    }
    result.csv = sink.data();
    return result;
}

std::optional<RunFailure> failureOf(std::string_view drawing, std::string_view tolerance, TableSource tables) {
    MemorySource source(drawing);
    StringSink sink;
    try {
        convertDrawing(source, sink, {std::string(tolerance), CsvEncoding::Drawing, tables}, "test.dxf");
    } catch (const RunFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

std::string textEntity(std::string_view handle, std::string_view content, std::string_view x,
                       std::string_view y, std::string_view extra) {
    std::string out = "  0\nTEXT\n  5\n";
    out += handle;
    out += "\n  8\n0\n 10\n";
    out += x;
    out += "\n 20\n0\n  1\n";
    out += content;
    out += "\n 21\n";
    out += y;
    out += "\n";
    out += extra;
    return out;
}

std::string groupObject(const std::vector<std::string>& handles) {
    std::string out = "  0\nGROUP\n  5\nF0\n300\ntable\n 70\n0\n 71\n1\n";
    for (const std::string& handle : handles) out += "340\n" + handle + "\n";
    return out;
}

std::string drawing(std::string_view entities, std::string_view objects) {
    std::string out = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n";
    out += "  0\nSECTION\n  2\nENTITIES\n";
    out += entities;
    out += "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n";
    out += objects;
    out += "  0\nENDSEC\n  0\nEOF\n";
    return out;
}

std::vector<std::string> referenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(current);
            current.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current += bytes[i];
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

std::vector<int> plainPasses(const std::vector<double>& x, const std::vector<double>& y, double t) {
    std::vector<int> slot(x.size());
    for (std::size_t k = 0; k < slot.size(); ++k) slot[k] = static_cast<int>(k);
    auto X = [&](std::size_t k) { return x[static_cast<std::size_t>(slot[k])]; };
    auto Y = [&](std::size_t k) { return y[static_cast<std::size_t>(slot[k])]; };
    const std::size_t n = slot.size();
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (std::fabs(Y(i) - Y(j)) > t)
                if (Y(i) < Y(j)) std::swap(slot[i], slot[j]);
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (X(i) > X(j))
                if (std::fabs(Y(i) - Y(j)) < t) std::swap(slot[i], slot[j]);
    return slot;
}

TempDir::TempDir() {
#ifdef _WIN32
    std::random_device random;
    for (int attempt = 0; root_.empty(); ++attempt) {
        if (attempt == 100) throw std::runtime_error("cannot create a temporary folder");
        const auto candidate = std::filesystem::temp_directory_path() / ("dxf2csv-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) root_ = candidate;
    }
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "dxf2csv-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
#endif
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Give back write permission that a test took away, so everything can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> TempDir::names() const {
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(root_))
        result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace dxf2csv::test
