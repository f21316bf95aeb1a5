// A main window with file 3 open in a game folder that holds a few shape files
// and a picture, for the tests of the Units page's icon and picture panel.
#pragma once

#include <QLabel>
#include <QPixmap>

#include "app/loaded_window.h"
#include "graphics/graphics_writers.h"

namespace brackle::test {

// Palette entries of the icons' pixels, and their colours in the icon palette.
inline constexpr int kHullColour = 30;     // C38B5B
inline constexpr int kTurretColour = 0;    // 000000
inline constexpr int kWinterColour = 100;  // 97A3C7
inline constexpr int kCrewColour = 13;     // 2BCF33
inline const QColor kHullRgb(0xC3, 0x8B, 0x5B);
inline const QColor kTurretRgb(0, 0, 0);
inline const QColor kWinterRgb(0x97, 0xA3, 0xC7);
inline const QColor kCrewRgb(0x2B, 0xCF, 0x33);
inline const QColor kTransparentRgb(0xEF, 0xAB, 0x23);  // entry 240, the transparent colour

class IconWindowTest : public LoadedWindowTest {
protected:
    // Units: 1 a tank (class 0) with icon 3, winter icon 4, desert icon 0 and
    // picture 123; 2 a glider (class 47, big image) with icon 3; 3 a boat
    // (class 31, no icon) with icons 5, 7, 9; 4 riflemen (class 1, crew 13,
    // nation 2: crew-and-side image 1100) with icons 3, 6, 8; 5 a unit of
    // picture 500, which is missing.
    void Fill(Oob& o) override
    {
        auto unit = [&o](int n, const char* name, int cls, int crew, int nation, int icon, int winter, int desert,
                         int picture) {
            UnitRecord& u = o.UnitTable[static_cast<std::size_t>(n)];
            u.Name = name;
            u.Class = static_cast<std::uint8_t>(cls);
            u.Crew = static_cast<std::uint8_t>(crew);
            u.Nation = static_cast<std::uint8_t>(nation);
            u.Icon = static_cast<std::uint16_t>(icon);
            u.WinterIcon = static_cast<std::uint16_t>(winter);
            u.DesertIcon = static_cast<std::uint16_t>(desert);
            u.PictureID = static_cast<std::uint16_t>(picture);
        };
        unit(1, "Tank", 0, 3, 3, 3, 4, 0, 123);
        unit(2, "Glider", 47, 2, 3, 3, 3, 3, 0);
        unit(3, "Boat", 31, 2, 3, 5, 7, 9, 0);
        unit(4, "Riflemen", 1, 13, 2, 3, 6, 8, 0);
        unit(5, "No Picture", 0, 3, 3, 0, 0, 0, 500);
        WriteGraphics();
    }

    // Icon 3 is drawn from images 6 (hull) and 7 (turret), icon 4 from 8 and 9:
    // all in Icon0000.shp. Each is 4 x 4, its border left to the transparent
    // colour: the hull filled with kHullColour, the turret with a 2 x 2 middle
    // of kTurretColour, the winter hull with kWinterColour. Image 1100 (the
    // riflemen) is in Icon0011.shp.
    void WriteGraphics()
    {
        gfxDir = tmp.path() / "Vornex" / "game data" / "graphics";
        picDir = tmp.path() / "Vornex" / "game data" / "pictures";
        std::filesystem::create_directories(gfxDir);
        std::filesystem::create_directories(picDir);
        WriteBytes(gfxDir / "Icon0000.shp", ShapeFile({{6, Framed(kHullColour, false)},
                                                       {7, Framed(kTurretColour, true)},
                                                       {8, Framed(kWinterColour, false)},
                                                       {9, Framed(kTurretColour, true)}}));
        WriteBytes(gfxDir / "Icon0011.shp", ShapeFile({{0, Framed(kCrewColour, false)}}));
        WriteBytes(picDir / "Pm00123.lbm", ChunkyPicture(8, 4, {{200, 10, 10}, {10, 10, 200}},
                                                         std::vector<std::uint8_t>(32, 1)));
    }

    // A 4 x 4 image with a one-pixel border of skipped pixels around colour
    // (only its middle 2 x 2 when small).
    static ShapePicture Framed(int colour, bool small)
    {
        ShapePicture p{4, 4, std::vector<int>(16, kSkip)};
        for (int y = 1; y < 3; ++y)
            for (int x = 1; x < (small ? 3 : 4); ++x)
                p.pixels[static_cast<std::size_t>(y * 4 + x)] = colour;
        return p;
    }

    void Go(int unit)
    {
        oob.CurrentUnit = unit;
        w->ShowUnit();
    }

    QLabel* Image(const char* name) { return Find<QLabel>(name); }
    bool Shown(const char* name) { return !Image(name)->isHidden(); }

    // The colour shown for pixel (x, y) of the unscaled picture in an image label.
    QColor Pixel(const char* name, int x, int y, int unscaledWidth = 4)
    {
        const QImage shown = Image(name)->pixmap().toImage();
        const int k = shown.width() / unscaledWidth;
        return shown.pixelColor(x * k + k / 2, y * k + k / 2);
    }

    std::filesystem::path gfxDir, picDir;
};

}  // namespace brackle::test
