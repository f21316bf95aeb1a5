// Writes a few small hand-made seed files into a corpus folder:
//   make_seeds DIR  ->  DIR/ilbm/*, DIR/shape/*, DIR/ini/*
// Each one exercises a different path of its reader, so the fuzzer starts
// from inputs that get past the first checks. The shape seeds start with the
// byte that picks the image, as shape_fuzzer reads them.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void Big32(Bytes& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Little32(Bytes& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& out, const char* name, const Bytes& data)
{
    out.insert(out.end(), name, name + 4);
    Big32(out, static_cast<std::uint32_t>(data.size()));
    Append(out, data);
    if (data.size() % 2 == 1)
        out.push_back(0);
}

// ByteRun1: runs of three or more equal bytes become repeats, the rest literals.
Bytes PackByteRun1(const Bytes& in)
{
    Bytes out;
    std::size_t i = 0;
    while (i < in.size()) {
        std::size_t run = 1;
        while (i + run < in.size() && run < 128 && in[i + run] == in[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(in[i]);
            i += run;
            continue;
        }
        std::size_t n = 0;
        while (i + n < in.size() && n < 128) {
            if (i + n + 2 < in.size() && in[i + n] == in[i + n + 1] && in[i + n] == in[i + n + 2])
                break;
            ++n;
        }
        out.push_back(static_cast<std::uint8_t>(n - 1));
        out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(i), in.begin() + static_cast<std::ptrdiff_t>(i + n));
        i += n;
    }
    return out;
}

// Rows of width pixels as 8 bit planes of whole 16-bit words per row.
Bytes Planar(const Bytes& pixels, int width, int height)
{
    const std::size_t planeBytes = (static_cast<std::size_t>(width) + 15) / 16 * 2;
    Bytes out(planeBytes * 8 * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 8; ++k)
                if (pixels[static_cast<std::size_t>(y * width + x)] & (1 << k))
                    out[static_cast<std::size_t>(y) * 8 * planeBytes + k * planeBytes + x / 8] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
    return out;
}

struct Picture {
    const char* formType;
    int width;
    int height;
    int compression;
    Bytes palette;
    Bytes pixels;
    bool extraOddChunk = false;
};

Bytes Lbm(const Picture& p)
{
    const bool planar = std::string(p.formType) == "ILBM";
    Bytes body = planar ? Planar(p.pixels, p.width, p.height) : p.pixels;
    if (p.compression == 1)
        body = PackByteRun1(body);
    Bytes form;
    form.insert(form.end(), p.formType, p.formType + 4);
    Chunk(form, "BMHD", {static_cast<std::uint8_t>(p.width >> 8), static_cast<std::uint8_t>(p.width),
                         static_cast<std::uint8_t>(p.height >> 8), static_cast<std::uint8_t>(p.height), 0, 0, 0, 0, 8, 0,
                         static_cast<std::uint8_t>(p.compression), 0, 0, 0, 1, 1, 0, 0, 0, 0});
    Chunk(form, "CMAP", p.palette);
    if (p.extraOddChunk)
        Chunk(form, "ANNO", {'s', 'e', 'e', 'd', '!'});
    Chunk(form, "BODY", body);
    Bytes file = {'F', 'O', 'R', 'M'};
    Big32(file, static_cast<std::uint32_t>(form.size()));
    Append(file, form);
    return file;
}

Bytes Ramp(std::size_t n, int step)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step));
    return b;
}

struct ShapeImage {
    int width;
    int height;
    int xStart;
    int yStart;
    int yEnd;
    Bytes codes;
};

// "1.10", the count, a table whose entry k + 1 points at image k, then the images.
Bytes Shp(const std::vector<ShapeImage>& images)
{
    Bytes file = {'1', '.', '1', '0'};
    Little32(file, static_cast<std::uint32_t>(images.size()));
    std::uint32_t at = static_cast<std::uint32_t>(8 + 8 * (images.size() + 1));
    Bytes table;
    Little32(table, 0);
    Little32(table, 0);
    Bytes data;
    for (const ShapeImage& im : images) {
        Little32(table, at + static_cast<std::uint32_t>(data.size()));
        Little32(table, 0);
        data.push_back(static_cast<std::uint8_t>(im.height));
        data.push_back(static_cast<std::uint8_t>(im.height >> 8));
        data.push_back(static_cast<std::uint8_t>(im.width));
        data.push_back(static_cast<std::uint8_t>(im.width >> 8));
        Little32(data, 0);
        Little32(data, static_cast<std::uint32_t>(im.xStart));
        Little32(data, static_cast<std::uint32_t>(im.yStart));
        Little32(data, 0);
        Little32(data, static_cast<std::uint32_t>(im.yEnd));
        Append(data, im.codes);
    }
    Append(file, table);
    Append(file, data);
    return file;
}

bool Write(const fs::path& file, const Bytes& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    for (const char* sub : {"ilbm", "shape", "ini"})
        fs::create_directories(dir / sub);
    bool ok = true;

    const Picture pictures[] = {
        {"PBM ", 4, 2, 1, {10, 20, 30, 40, 50, 60}, {1, 2, 3, 4, 9, 9, 9, 9}},
        {"PBM ", 5, 3, 0, {255, 0, 0}, Ramp(15, 17), true},
        {"ILBM", 16, 2, 0, Ramp(768, 1), Ramp(32, 8)},
        {"ILBM", 21, 4, 1, Ramp(48, 5), Ramp(84, 3), true},
        {"ILBM", 40, 6, 1, Ramp(30, 9), Bytes(240, 129)},
    };
    int n = 0;
    for (const Picture& p : pictures)
        ok = Write(dir / "ilbm" / ("seed" + std::to_string(n++) + ".lbm"), Lbm(p)) && ok;
    // A ByteRun1 body that runs past its picture: the picture of colour 255.
    Bytes corrupt = Lbm({"PBM ", 2, 2, 0, {}, {1, 2, 3, 4}});
    corrupt[30] = 1;
    ok = Write(dir / "ilbm" / "corrupt.lbm", corrupt) && ok;

    const Bytes shapes = Shp({
        {6, 2, 0, 0, 1, {1, 3, 4, 7, 0, 2, 9}},
        {7, 2, 1, 0, 1, {1, 3, 4, 7, 2, 0, 7, 1, 2, 3, 0, 255, 5}},
        {4, 3, 2, -1, 9, {4, 200, 0, 1, 9, 2, 1, 0, 5, 6, 7}},
        {3, 3, 0, 1, 2, {2, 11, 0, 2, 12, 0, 2, 13}},
    });
    for (std::uint8_t image = 0; image < 5; ++image) {
        Bytes seed = {image};
        Append(seed, shapes);
        ok = Write(dir / "shape" / ("seed" + std::to_string(image) + ".shp"), seed) && ok;
    }

    const std::string ini =
        "[Brackle]\r\nTransparentColour=12\r\nHints=1\r\nHintDelay=4\r\n"
        "[NationNames]\r\nobat1=First\r\nOBAT2 = Second \r\n; a comment\r\n"
        "[UnitClassNames]\r\nUnitClass0=Rifle\r\nUnitClass255=Last\r\n[broken\r\nnovalue\r\n=empty key\r\n";
    ok = Write(dir / "ini" / "seed.ini", Bytes(ini.begin(), ini.end())) && ok;

    if (!ok) {
        std::fprintf(stderr, "make_seeds: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
