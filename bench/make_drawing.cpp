// Writes a deterministic AC1015 drawing with CR LF line ends for the benchmarks: grouped
// tables of centred TEXTs, LINE and LWPOLYLINE filler up to a target size, and GROUP objects.
//
//   make_drawing [--texts N] [--groups G] [--size BYTES] [--no-objects] [--chains] OUT.dxf
//   make_drawing --ruled TABLES [--size BYTES] OUT.dxf
//
// --texts   TEXT entities (default 5000), split evenly into --groups tables (default 50)
//           laid out as grids of 10 columns with Y steps of 300 and jitter under 50
// --size    filler entities are added until the file reaches this many bytes (default 0)
// --no-objects   the same entities without the OBJECTS section
// --chains  the worst case for the ordering: one group whose Y values form chains that lie
//           within the tolerance of 100 of each other
// --ruled   no GROUPs: TABLES drawn tables of 11 rows and 5 columns (a header row spanning
//           all columns, 51 texts), each rule drawn as one LINE per cell edge (122 a table), in
//           a region of their own beside the filler

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    long texts = 5000;
    long groups = 50;
    long long size = 0;
    bool objects = true;
    bool chains = false;
    long ruled = 0; ///< drawn tables instead of grouped ones
    const char* out = nullptr;
};

/// A small fixed generator, so every machine writes the same bytes.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 11);
    }
    double below(double limit) { return limit * (next() % 1000000) / 1000000.0; }
};

class Writer {
public:
    explicit Writer(std::FILE* file) : file_(file) {}
    void pair(int code, const std::string& value) {
        char codeText[16];
        std::snprintf(codeText, sizeof codeText, "%3d\r\n", code);
        put(codeText);
        put(value);
        put("\r\n");
    }
    void pair(int code, double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4f", value);
        pair(code, std::string(text));
    }
    long long written() const { return written_; }

private:
    void put(const std::string& s) {
        std::fwrite(s.data(), 1, s.size(), file_);
        written_ += static_cast<long long>(s.size());
    }
    std::FILE* file_;
    long long written_ = 0;
};

std::string hex(std::uint64_t n) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(n));
    return text;
}

void text(Writer& w, const std::string& handle, const std::string& content, double x, double y) {
    w.pair(0, "TEXT");
    w.pair(5, handle);
    w.pair(330, "1F");
    w.pair(100, "AcDbEntity");
    w.pair(8, "TABLE");
    w.pair(100, "AcDbText");
    w.pair(10, x);
    w.pair(20, y);
    w.pair(30, 0.0);
    w.pair(40, 50.0);
    w.pair(1, content);
    w.pair(72, "1");
    w.pair(11, x);
    w.pair(21, y);
    w.pair(31, 0.0);
    w.pair(100, "AcDbText");
    w.pair(73, "2");
}

void filler(Writer& w, Random& r, std::uint64_t& handle) {
    w.pair(0, "LINE");
    w.pair(5, hex(handle++));
    w.pair(330, "1F");
    w.pair(100, "AcDbEntity");
    w.pair(8, "0");
    w.pair(100, "AcDbLine");
    w.pair(10, r.below(100000));
    w.pair(20, r.below(100000));
    w.pair(30, 0.0);
    w.pair(11, r.below(100000));
    w.pair(21, r.below(100000));
    w.pair(31, 0.0);
    w.pair(0, "LWPOLYLINE");
    w.pair(5, hex(handle++));
    w.pair(330, "1F");
    w.pair(100, "AcDbEntity");
    w.pair(8, "0");
    w.pair(100, "AcDbPolyline");
    w.pair(90, "4");
    w.pair(70, "1");
    for (int v = 0; v < 4; ++v) {
        w.pair(10, r.below(100000));
        w.pair(20, r.below(100000));
    }
}

void line(Writer& w, std::uint64_t& handle, double x1, double y1, double x2, double y2) {
    w.pair(0, "LINE");
    w.pair(5, hex(handle++));
    w.pair(330, "1F");
    w.pair(100, "AcDbEntity");
    w.pair(8, "RULES");
    w.pair(100, "AcDbLine");
    w.pair(10, x1);
    w.pair(20, y1);
    w.pair(30, 0.0);
    w.pair(11, x2);
    w.pair(21, y2);
    w.pair(31, 0.0);
}

/// One drawn table with its top-left corner at (left, top): a header row over all five
/// columns, then ten rows of five cells, each cell edge a LINE of its own.
void ruledTable(Writer& w, std::uint64_t& handle, long number, double left, double top) {
    constexpr int kRows = 11;
    constexpr int kColumns = 5;
    constexpr double kWidth = 400;
    constexpr double kHeight = 100;
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            line(w, handle, left + c * kWidth, top - r * kHeight, left + (c + 1) * kWidth, top - r * kHeight);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c <= kColumns; ++c)
            if (r > 0 || c == 0 || c == kColumns)
                line(w, handle, left + c * kWidth, top - r * kHeight, left + c * kWidth, top - (r + 1) * kHeight);
    std::string name = "T";
    name += std::to_string(number);
    text(w, hex(handle++), name, left + kColumns * kWidth / 2, top - kHeight / 2);
    for (int r = 1; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            std::string content = name;
            content += '-';
            content += std::to_string(r);
            content += '-';
            content += std::to_string(c);
            text(w, hex(handle++), content, left + (c + 0.5) * kWidth, top - (r + 0.5) * kHeight);
        }
    }
}

int usage() {
    std::fprintf(stderr, "usage: make_drawing [--texts N] [--groups G] [--size BYTES] [--no-objects] [--chains] OUT.dxf\n"
                         "       make_drawing --ruled TABLES [--size BYTES] OUT.dxf\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--texts" && i + 1 < argc) o.texts = std::atol(argv[++i]);
        else if (a == "--groups" && i + 1 < argc) o.groups = std::atol(argv[++i]);
        else if (a == "--size" && i + 1 < argc) o.size = std::atoll(argv[++i]);
        else if (a == "--no-objects") o.objects = false;
        else if (a == "--chains") o.chains = true;
        else if (a == "--ruled" && i + 1 < argc) o.ruled = std::atol(argv[++i]);
        else if (!a.empty() && a[0] != '-' && o.out == nullptr) o.out = argv[i];
        else return usage();
    }
    if (o.out == nullptr || o.texts < 0 || o.groups < 1) return usage();
    if (o.chains) o.groups = 1;
    std::FILE* file = std::fopen(o.out, "wb");
    if (file == nullptr) {
        std::perror(o.out);
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    Writer w(file);
    Random r;

    w.pair(0, "SECTION");
    w.pair(2, "HEADER");
    w.pair(9, "$ACADVER");
    w.pair(1, "AC1015");
    w.pair(9, "$DWGCODEPAGE");
    w.pair(3, "ANSI_1252");
    w.pair(0, "ENDSEC");
    w.pair(0, "SECTION");
    w.pair(2, "ENTITIES");

    std::uint64_t handle = 0x1000;
    if (o.ruled > 0) {
        // Tables 40 to a band, to the right of the filler's square; filler between them.
        long long fillerEach = 0;
        for (long t = 0; t < o.ruled; ++t) {
            const long long before = w.written();
            ruledTable(w, handle, t, 200000.0 + static_cast<double>(t % 40) * 3000, -static_cast<double>(t / 40) * 2000);
            if (t == 0) {
                const long long tableBytes = (w.written() - before) * o.ruled;
                fillerEach = o.size > tableBytes ? (o.size - tableBytes) / (o.ruled + 1) : 0;
            }
            const long long target = w.written() + fillerEach;
            while (w.written() < target) filler(w, r, handle);
        }
        while (w.written() < o.size) filler(w, r, handle);
        w.pair(0, "ENDSEC");
        w.pair(0, "EOF");
        return std::fclose(file) == 0 ? 0 : (std::perror(o.out), 1);
    }
    std::vector<std::vector<std::string>> members(static_cast<std::size_t>(o.groups));
    const long perGroup = (o.texts + o.groups - 1) / o.groups;
    // Spread the filler between the texts so the tables sit all through the file.
    const long long textBytes = o.texts * 420;
    const long long fillerBudget = o.size > textBytes ? o.size - textBytes : 0;
    const long long fillerEach = o.texts > 0 ? fillerBudget / (o.texts + 1) : fillerBudget;
    for (long t = 0; t < o.texts; ++t) {
        const long g = t / perGroup;
        const long k = t % perGroup;
        double x = 0;
        double y = 0;
        if (o.chains) {
            // Y climbs by steps under the tolerance, so every neighbour pair lies within it.
            x = r.below(10000);
            y = static_cast<double>((t * 7919) % o.texts) * 60.0;
        } else {
            x = static_cast<double>(g % 10) * 6000 + static_cast<double>(k % 10) * 500 + r.below(40);
            y = static_cast<double>(g / 10) * -40000 - static_cast<double>(k / 10) * 300 + r.below(49);
        }
        const std::string h = hex(handle++);
        std::string content = "G";
        content += std::to_string(g);
        content += '-';
        content += std::to_string(k);
        text(w, h, content, x, y);
        members[static_cast<std::size_t>(g)].push_back(h);
        const long long target = w.written() + fillerEach;
        while (w.written() < target) filler(w, r, handle);
    }
    while (w.written() < o.size) filler(w, r, handle);
    w.pair(0, "ENDSEC");

    if (o.objects) {
        w.pair(0, "SECTION");
        w.pair(2, "OBJECTS");
        w.pair(0, "DICTIONARY");
        w.pair(5, "C");
        w.pair(100, "AcDbDictionary");
        w.pair(3, "ACAD_GROUP");
        w.pair(350, "D");
        for (std::size_t g = 0; g < members.size(); ++g) {
            w.pair(0, "GROUP");
            w.pair(5, hex(handle++));
            w.pair(330, "D");
            w.pair(100, "AcDbGroup");
            std::string name = "table ";
            name += std::to_string(g);
            w.pair(300, name);
            w.pair(70, "0");
            w.pair(71, "1");
            // Members listed backwards, as the ordering must put them right.
            for (auto it = members[g].rbegin(); it != members[g].rend(); ++it) w.pair(340, *it);
        }
        w.pair(0, "ENDSEC");
    }
    w.pair(0, "EOF");
    if (std::fclose(file) != 0) {
        std::perror(o.out);
        return 1;
    }
    return 0;
}
