// The unit page with real widgets, offscreen: showing a full unit, refilling
// the unit list of all 999 slots, and the icon and picture panel over a game
// folder of 168 shape files and 300 pictures (typing an icon or picture number
// must never stall the window).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "demo/demo_game.h"
#include "editors/unit_page.h"
#include "widgets/dialogs_qt.h"

#include "../tests/graphics/graphics_writers.h"

namespace {

using namespace brackle;

Oob DemoTables()
{
    Oob oob = BuildDemoOob(1).Tables;
    oob.FileLoaded = true;
    // A unit with every field in use, whose name is in a formation.
    UnitRecord& u = oob.UnitTable[500];
    u.Name = "Full Unit 500";
    u.Class = 5;
    u.Wpn1 = 1;
    u.Wpn2 = 2;
    u.Wpn3 = 3;
    u.Wpn4 = 4;
    u.EW = 3;
    u.FC = 105;
    u.RF = 25;
    u.ERATop = 12;
    u.ROF = 1;
    u.SD = 2;
    u.Survive = 8;
    oob.FormationTable[999].Slot[9] = 500;
    return oob;
}

void BM_ShowUnit(benchmark::State& state)
{
    Oob oob = DemoTables();
    QtDialogs dialogs;
    UnitPage page(oob, dialogs);
    page.resize(600, 520);
    int n = 0;
    for (auto _ : state) {
        // Alternate two units so every edit really changes its text.
        oob.CurrentUnit = (n++ % 2) ? 500 : 1;
        page.ShowUnit();
    }
}
BENCHMARK(BM_ShowUnit)->Unit(benchmark::kMicrosecond);

void BM_UnitListRefill(benchmark::State& state)
{
    Oob oob = DemoTables();
    QtDialogs dialogs;
    StartupPaths paths;
    paths.ProgramDir = paths.CurrentDir = std::filesystem::temp_directory_path() / "brackle-bench-none";
    TSDIAppForm w(oob, dialogs, paths);
    oob.FileLoaded = true;
    for (auto _ : state)
        w.UnitlistboxInit(500);
}
BENCHMARK(BM_UnitListRefill)->Unit(benchmark::kMicrosecond);

// Icon0000.shp..Icon0167.shp, 100 images of 24 x 24 each, and Pm00001..Pm00300
// of 160 x 100 pixels: written once per run into the temporary folder.
struct GameGraphics {
    std::filesystem::path root = std::filesystem::temp_directory_path() / "brackle-bench-graphics";
    std::filesystem::path gfx = root / "graphics";
    std::filesystem::path pics = root / "pictures";

    GameGraphics()
    {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(gfx);
        std::filesystem::create_directories(pics);
        auto write = [](const std::filesystem::path& p, const test::Bytes& b) {
            std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                     static_cast<std::streamsize>(b.size()));
        };
        for (int f = 0; f < 168; ++f) {
            std::map<int, test::ShapePicture> images;
            for (int k = 0; k < 100; ++k)
                images[k] = test::Plain(24, 24, (f + k) % 256);
            write(gfx / ShapeName(f), test::ShapeFile(images));
        }
        const std::vector<std::array<std::uint8_t, 3>> colours(256, {40, 80, 120});
        for (int n = 1; n <= 300; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "Pm%05d.lbm", n);
            write(pics / name, test::ChunkyPicture(160, 100, colours, std::vector<std::uint8_t>(16000, n % 256)));
        }
    }
    ~GameGraphics() { std::filesystem::remove_all(root); }

    static std::string ShapeName(int f)
    {
        char name[32];
        std::snprintf(name, sizeof name, "Icon%04d.shp", f);
        return name;
    }
};

GameGraphics& Graphics()
{
    static GameGraphics g;
    return g;
}

// A page drawing from the folder, showing unit 500 (icon 112, picture 19).
struct PanelPage {
    Oob oob = DemoTables();
    QtDialogs dialogs;
    UnitPage page{oob, dialogs};
    PanelPage()
    {
        page.resize(600, 520);
        oob.UnitTable[500].Icon = 112;
        oob.UnitTable[500].PictureID = 19;
        oob.UnitTable[1].Icon = 3;
        oob.UnitTable[1].PictureID = 20;
        page.SetGraphicsFolders(Graphics().gfx, Graphics().pics);
    }
};

void BM_ShowUnitWithIconAndPicture(benchmark::State& state)
{
    PanelPage p;
    int n = 0;
    for (auto _ : state) {
        p.oob.CurrentUnit = (n++ % 2) ? 500 : 1;
        p.page.ShowUnit();
    }
}
BENCHMARK(BM_ShowUnitWithIconAndPicture)->Unit(benchmark::kMicrosecond);

// The first unit shown after a file is opened: the folders listed, the files read and decoded.
void BM_FirstShowAfterOpen(benchmark::State& state)
{
    PanelPage p;
    p.oob.CurrentUnit = 500;
    for (auto _ : state) {
        p.page.DropGraphicsCache();
        p.page.ShowUnit();
    }
}
BENCHMARK(BM_FirstShowAfterOpen)->Unit(benchmark::kMicrosecond);

// Typing icon numbers that fall in ever other shape files (after the first pass all are kept).
void BM_TypeIconNumber(benchmark::State& state)
{
    PanelPage p;
    p.page.ShowUnit();
    QLineEdit* edit = p.page.Edit(UfIcon);
    int icon = 1;
    for (auto _ : state) {
        icon = icon % 8000 + 49;
        edit->setText(QString::number(icon));
    }
}
BENCHMARK(BM_TypeIconNumber)->Unit(benchmark::kMicrosecond);

// Typing picture numbers, each a picture not kept: read and decoded every time.
void BM_TypePictureNumber(benchmark::State& state)
{
    PanelPage p;
    p.page.ShowUnit();
    QLineEdit* edit = p.page.Edit(UfPictureID);
    int n = 0;
    for (auto _ : state) {
        n = n % 300 + 1;
        edit->setText(QString::number(n));
    }
}
BENCHMARK(BM_TypePictureNumber)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
