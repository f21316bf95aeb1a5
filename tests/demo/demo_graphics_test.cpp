// The demo game's icons and pictures, as the editor will read them from the
// written game folder.
#include "demo/demo_game.h"
#include "demo/demo_icons.h"
#include "demo/demo_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "graphics/ilbm_decoder.h"
#include "graphics/shape_decoder.h"
#include "oob/oob_file.h"
#include "oob/text.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
constexpr std::uint8_t T = 240;

class DemoGraphics : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new test::TempDir();
        std::string error;
        ASSERT_TRUE(WriteDemoGame(dir_->path(), &error)) << error;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static fs::path Data() { return dir_->path() / "Vornex" / "game data"; }

    static std::set<std::string> FilesIn(const fs::path& folder)
    {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.insert(e.path().filename().string());
        return names;
    }

    static test::TempDir* dir_;
};

test::TempDir* DemoGraphics::dir_ = nullptr;

TEST_F(DemoGraphics, EveryShapeImageDecodesToItsDrawing)
{
    std::set<std::string> expectedFiles;
    int drawn = 0;
    for (const DemoShapeFile& f : DemoShapeFiles()) {
        const std::string name = ShapeFileName(f.Number);
        expectedFiles.insert(name);
        const auto bytes = test::ReadBytes(Data() / "graphics" / name);
        for (std::size_t k = 0; k < f.Images.size(); ++k) {
            const IndexedCanvas& want = f.Images[k];
            // Decoded on transparent colour 0, so a skipped pixel and a drawn 240 tell apart.
            const DecodeResult r = DecodeShape(bytes, static_cast<int>(k), 0);
            ASSERT_TRUE(r.ok) << name << " image " << k << ": " << r.error;
            ASSERT_EQ(r.image.Width, want.Width()) << name << " image " << k;
            ASSERT_EQ(r.image.Height, want.Height()) << name << " image " << k;
            EXPECT_EQ(r.image.Width % 4, 0) << name << " image " << k;
            std::size_t differ = 0;
            for (std::size_t i = 0; i < want.Pixels().size(); ++i)
                differ += r.image.Pixels[i] != (want.Pixels()[i] == T ? 0 : want.Pixels()[i]) ? 1 : 0;
            EXPECT_EQ(differ, 0u) << name << " image " << k;
            drawn += std::any_of(want.Pixels().begin(), want.Pixels().end(), [](auto p) { return p != T; }) ? 1 : 0;
        }
        EXPECT_EQ(DecodeShape(bytes, static_cast<int>(f.Images.size())).error, kIconNotAvailable) << name;
    }
    EXPECT_EQ(FilesIn(Data() / "graphics"), expectedFiles);
    EXPECT_GE(drawn, 100);
}

TEST_F(DemoGraphics, EveryPictureDecodesToItsDrawing)
{
    std::set<std::string> expectedFiles;
    for (const DemoPicture& p : DemoPictures()) {
        const std::string name = DemoPictureFileName(p.Number);
        expectedFiles.insert(name);
        const DecodeResult r = DecodeIlbm(test::ReadBytes(Data() / "pictures" / name));
        ASSERT_TRUE(r.ok) << name << ": " << r.error;
        EXPECT_EQ(r.image.Width, p.Image.Width()) << name;
        EXPECT_EQ(r.image.Height, p.Image.Height()) << name;
        EXPECT_TRUE(r.image.Pixels == p.Image.Pixels()) << name;
        for (int i = 0; i < 256; ++i) {
            const auto want = i < p.Options.Colours ? p.Palette[static_cast<std::size_t>(i)]
                                                    : std::array<std::uint8_t, 3>{0, 0, 0};
            EXPECT_EQ(r.image.Palette[static_cast<std::size_t>(i)], want) << name << " colour " << i;
        }
    }
    EXPECT_EQ(FilesIn(Data() / "pictures"), expectedFiles);
    EXPECT_EQ(DemoPictureFileName(5), "Pm00005.lbm");
    EXPECT_EQ(DemoPictureFileName(4242), "Pm04242.lbm");
}

// The pictures come in every form the reader must handle, read from the bytes as written.
TEST_F(DemoGraphics, PicturesCoverEveryFormOfTheFormat)
{
    std::set<std::pair<std::string, int>> forms;  // form type, compression
    bool oddPalette = false, oddExtraChunk = false, partWord = false;
    for (const auto& name : FilesIn(Data() / "pictures")) {
        const auto b = test::ReadBytes(Data() / "pictures" / name);
        ASSERT_GE(b.size(), 56u) << name;
        const std::string form(b.begin() + 8, b.begin() + 12);
        forms.insert({form, b[30]});
        const std::size_t width = (b[20] << 8) | b[21];
        partWord = partWord || (form == "ILBM" && width % 16 != 0);
        const std::size_t cmap = (std::size_t{b[46]} << 8) | b[47];
        oddPalette = oddPalette || cmap % 2 == 1;
        const std::size_t next = 48 + cmap + cmap % 2;
        ASSERT_GE(b.size(), next + 8) << name;
        const std::size_t length = (std::size_t{b[next + 6]} << 8) | b[next + 7];
        oddExtraChunk = oddExtraChunk || (std::string(b.begin() + next, b.begin() + next + 4) != "BODY" && length % 2 == 1);
    }
    EXPECT_EQ(forms, (std::set<std::pair<std::string, int>>{{"ILBM", 0}, {"ILBM", 1}, {"PBM ", 0}, {"PBM ", 1}}));
    EXPECT_TRUE(oddPalette);
    EXPECT_TRUE(oddExtraChunk);
    EXPECT_TRUE(partWord);
    EXPECT_GE(FilesIn(Data() / "pictures").size(), 8u);
}

// What the unit page shows for a unit, by the rules of the icon panel written out
// here: no icon at all, one big image, a crew-and-side image, or hull and turret.
const std::set<int> kNoIcon = {10, 31, 155, 156, 210, 211};
const std::set<int> kBigImage = {44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253};

bool IconKind(int c)
{
    const int ranges[][2] = {{1, 4},     {7, 7},     {20, 20},   {29, 29},   {40, 40},   {45, 45},
                             {49, 49},   {51, 51},   {54, 55},   {58, 58},   {63, 101},  {110, 119},
                             {140, 150}, {160, 166}, {168, 174}, {176, 179}, {185, 195}, {206, 209},
                             {212, 213}, {218, 218}, {224, 235}, {240, 244}, {246, 250}, {254, 254}};
    return std::any_of(std::begin(ranges), std::end(ranges), [c](const int* r) { return c >= r[0] && c <= r[1]; });
}

// The image number of the crew-and-side icon, or -1 when the unit has none.
int CrewAndSideImage(int cls, int crew, int nation)
{
    if (cls == 49 || cls == 187 || cls == 188 || !IconKind(cls) || crew < 1)
        return -1;
    crew = std::min(crew, 13);
    const std::map<int, int> sides = {{1, 2}, {2, 1}, {5, 3}};  // the demo nations' sides
    const int s = sides.at(nation);
    const std::set<int> team42 = {2, 29, 142, 146, 165, 206, 207, 208, 209, 212, 244};
    const std::set<int> team60 = {4, 7, 144, 149, 176, 177, 193, 194, 254};
    if (team42.count(cls))
        return 1042 + 100 * s;
    if (team60.count(cls))
        return 1060 + 100 * s;
    if (cls == 3 || cls == 150)
        return 1057 + 100 * s - 3 * (crew > 11 ? 2 : crew / 4);
    return 1000 + 100 * s + 3 * (13 - crew);
}

TEST_F(DemoGraphics, EveryDemoUnitShowsAnIconAndAPicture)
{
    std::map<int, std::vector<std::uint8_t>> files;
    // Decodes image v; true when it exists and something is drawn in it.
    auto drawn = [&](int v, const std::string& what) {
        const ShapeLocation at = LocateShape(v);
        if (!files.count(at.fileNumber)) {
            const fs::path path = Data() / "graphics" / ShapeFileName(at.fileNumber);
            files[at.fileNumber] = fs::exists(path) ? test::ReadBytes(path) : std::vector<std::uint8_t>{};
        }
        const DecodeResult r = DecodeShape(files[at.fileNumber], at.image);
        EXPECT_TRUE(r.ok) << what << ": image " << v << ": " << r.error;
        return r.ok && std::any_of(r.image.Pixels.begin(), r.image.Pixels.end(), [](auto p) { return p != T; });
    };

    int hullAndTurret = 0, big = 0, crewAndSide = 0, seasonal = 0;
    std::set<int> pictures;
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        for (int u = 1; u <= kUnitSlots; ++u) {
            const UnitRecord& r = demo.Tables.UnitTable[static_cast<std::size_t>(u)];
            if (Trim(r.Name).empty())
                continue;
            const std::string what = "obat" + std::to_string(n) + " unit " + std::to_string(u) + " " + r.Name;
            EXPECT_TRUE(fs::exists(Data() / "pictures" / DemoPictureFileName(r.PictureID))) << what;
            pictures.insert(r.PictureID);
            seasonal += r.WinterIcon != r.Icon && r.DesertIcon != r.Icon ? 1 : 0;
            if (kNoIcon.count(r.Class))
                continue;
            for (const int icon : {r.Icon, r.WinterIcon, r.DesertIcon}) {
                ASSERT_GE(icon, 1) << what;
                if (kBigImage.count(r.Class)) {
                    EXPECT_TRUE(drawn(2 * icon, what)) << what;
                    ++big;
                } else if (const int v = CrewAndSideImage(r.Class, r.Crew, r.Nation); v >= 0) {
                    EXPECT_TRUE(drawn(v, what)) << what;
                    ++crewAndSide;
                } else {
                    EXPECT_TRUE(drawn(2 * icon, what)) << what << " hull";
                    drawn(2 * icon + 1, what + " turret");
                    ++hullAndTurret;
                }
            }
        }
    }
    EXPECT_GT(hullAndTurret, 0);
    EXPECT_GT(big, 0);
    EXPECT_GT(crewAndSide, 0);
    EXPECT_GT(seasonal, 0);
    EXPECT_GE(pictures.size(), 8u);
}

}  // namespace
}  // namespace brackle
