#include "demo/demo_pictures.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace brackle {
namespace {

// The pictures' own palette.
enum Colour : std::uint8_t {
    Black, Sky0, Sky1, Sky2, Sky3, Sky4, Sky5, Sky6, Cloud, CloudShade,
    Grass0, Grass1, Grass2, Earth0, Earth1, Earth2, Olive0, Olive1, Olive2, Olive3,
    Grey0, Grey1, Grey2, Grey3, Grey4, White, Red, Yellow, Tyre, Sand0,
    Sand1, Sand2, Air0, Air1, Air2, Sea0, Sea1, Sea2, Khaki0, Khaki1,
    Khaki2, Skin, Tree0, Tree1, Tree2, Flame, Dusk0, Dusk1, Dusk2, Dusk3,
    Glass, Brown, Roof, Water,
    kColours
};

constexpr std::uint32_t kRgb[kColours] = {
    0x000000, 0x3E6AA8, 0x4C78B2, 0x5A86BC, 0x6A94C6, 0x7AA2CE, 0x8CB2D8, 0xA0C0E0, 0xEEF0F2, 0xC8D0DA,
    0x5E8C38, 0x4E7A2E, 0x3C6024, 0x8E6C48, 0x7A5A3A, 0x5E4430, 0x3E4A26, 0x56623A, 0x6E7A4A, 0x8A9462,
    0x303030, 0x505050, 0x707070, 0x909090, 0xB8B8B8, 0xFFFFFF, 0xC03020, 0xE8C040, 0x202020, 0xC8B080,
    0xD8C498, 0xE8D8B0, 0x5C6874, 0x7C8894, 0x98A4B0, 0x2A4E78, 0x3A6490, 0x4E7AA8, 0x5E5636, 0x7A7048,
    0x948A5C, 0xD8A880, 0x22381A, 0x2E4A1C, 0x3A5C24, 0xF08020, 0x3A2A58, 0x6A4A78, 0xA86878, 0xD8885A,
    0x9CC8E0, 0x3A2818, 0xA04830, 0x5888B8,
};

// Our colours first, then a grey ramp to fill a full palette.
IffPalette Palette()
{
    IffPalette p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
        const std::uint32_t rgb = i < kColours ? kRgb[i] : static_cast<std::uint32_t>(i * 0x010101);
        p[i] = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
    }
    return p;
}

void Sky(IndexedCanvas& c, int horizon)
{
    const std::vector<std::uint8_t> bands = {Sky0, Sky1, Sky2, Sky3, Sky4, Sky5, Sky6};
    c.Bands(0, std::max(1, horizon / 7), bands);
}

void Ground(IndexedCanvas& c, int top)
{
    c.Rect(0, top, c.Width(), c.Height() - top, Grass0);
    for (int y = top + 4; y < c.Height(); y += 7)
        c.Rect(0, y, c.Width(), 2, Grass1);
    c.Rect(0, top, c.Width(), 1, Grass2);
}

void CloudAt(IndexedCanvas& c, int x, int y)
{
    c.Disc(x + 3, y + 3, 6, CloudShade);
    c.Disc(x, y, 6, Cloud);
    c.Disc(x + 8, y - 3, 7, Cloud);
    c.Disc(x + 16, y + 1, 5, Cloud);
    c.Rect(x - 4, y + 2, 24, 4, Cloud);
}

void Tree(IndexedCanvas& c, int x, int ground, int size)
{
    c.Rect(x - 1, ground - size, 3, size, Brown);
    c.Disc(x, ground - size - size / 3, size / 2 + 2, Tree0);
    c.Disc(x - 1, ground - size - size / 3 - 1, size / 2, Tree1);
    c.Disc(x - 2, ground - size - size / 2, size / 4 + 1, Tree2);
}

// A run of track with road wheels, from x to x + length, its bottom on ground.
void TrackRun(IndexedCanvas& c, int x, int length, int ground, int height)
{
    const int r = height / 2;
    c.Rect(x, ground - height, length, height, Tyre);
    c.Disc(x, ground - r, r, Tyre);
    c.Disc(x + length, ground - r, r, Tyre);
    for (int wx = x + 4; wx <= x + length - 4; wx += 2 * r + 2) {
        c.Disc(wx, ground - r, r - 2, Grey1);
        c.Disc(wx, ground - r, r / 3, Grey2);
    }
}

void Wheel(IndexedCanvas& c, int x, int ground, int r)
{
    c.Disc(x, ground - r, r, Tyre);
    c.Disc(x, ground - r, r / 2, Grey2);
    c.Disc(x, ground - r, 1, Grey0);
}

// A barrel of some thickness from (x0, y0) to (x1, y1).
void Barrel(IndexedCanvas& c, int x0, int y0, int x1, int y1, int thickness, std::uint8_t colour)
{
    for (int t = 0; t < thickness; ++t)
        c.Line(x0, y0 + t, x1, y1 + t, colour);
}

IndexedCanvas Tank()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 70);
    CloudAt(c, 20, 14);
    CloudAt(c, 110, 8);
    Ground(c, 70);
    TrackRun(c, 30, 96, 80, 16);
    c.Polygon({{24, 64}, {134, 64}, {142, 52}, {36, 48}, {22, 56}}, Olive1);
    c.Rect(36, 46, 92, 8, Olive2);
    c.Rect(36, 46, 92, 1, Olive3);
    c.Polygon({{58, 47}, {110, 47}, {104, 32}, {66, 29}}, Olive2);
    c.Line(66, 29, 104, 32, Olive3);
    Barrel(c, 104, 36, 150, 36, 4, Olive1);
    c.Rect(148, 34, 6, 8, Olive0);
    c.Rect(74, 25, 12, 5, Olive0);
    c.Line(80, 25, 80, 12, Grey0);  // aerial
    return c;
}

IndexedCanvas SoldierPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 60);
    Ground(c, 60);
    for (const int x : {14, 34, 128, 148})
        Tree(c, x, 62, 14);
    c.Rect(72, 62, 7, 26, Khaki0);
    c.Rect(83, 62, 7, 26, Khaki0);
    c.Rect(69, 86, 11, 5, Brown);
    c.Rect(83, 86, 11, 5, Brown);
    c.Rect(68, 34, 26, 30, Khaki1);
    c.Rect(68, 34, 26, 2, Khaki2);
    c.Rect(68, 57, 26, 3, Brown);
    c.Rect(61, 36, 7, 22, Khaki1);
    c.Rect(94, 36, 7, 22, Khaki1);
    c.Disc(64, 60, 3, Skin);
    c.Disc(97, 60, 3, Skin);
    c.Disc(81, 25, 7, Skin);
    c.Put(78, 25, Black);
    c.Put(84, 25, Black);
    c.Polygon({{70, 22}, {92, 22}, {90, 13}, {81, 9}, {72, 13}}, Olive1);
    c.Rect(69, 21, 24, 2, Olive0);
    Barrel(c, 56, 72, 104, 26, 2, Brown);
    Barrel(c, 96, 34, 108, 22, 2, Grey0);
    return c;
}

IndexedCanvas TruckPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 68);
    CloudAt(c, 60, 12);
    Ground(c, 68);
    c.Rect(0, 78, 160, 6, Earth1);  // a dirt road
    c.Rect(22, 58, 122, 8, Grey0);  // chassis
    c.Rect(24, 30, 80, 28, Olive3);  // canvas
    c.Disc(34, 34, 6, Olive3);
    c.Disc(94, 34, 6, Olive3);
    for (int x = 36; x < 104; x += 16)
        c.Rect(x, 30, 2, 28, Olive2);
    c.Rect(22, 52, 84, 6, Olive1);  // cargo bed
    c.Polygon({{108, 62}, {108, 30}, {128, 30}, {134, 44}, {134, 62}}, Olive1);
    c.Polygon({{112, 44}, {112, 34}, {126, 34}, {130, 44}}, Glass);
    c.Rect(134, 44, 18, 18, Olive1);  // bonnet
    c.Rect(150, 46, 3, 12, Grey1);    // grille
    c.Disc(150, 48, 2, Yellow);       // lamp
    Wheel(c, 42, 80, 10);
    Wheel(c, 66, 80, 10);
    Wheel(c, 138, 80, 10);
    return c;
}

IndexedCanvas FieldGunPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 72);
    Tree(c, 140, 74, 20);
    Ground(c, 72);
    c.Polygon({{66, 66}, {12, 84}, {12, 88}, {70, 72}}, Olive0);  // trail
    c.Rect(8, 82, 8, 8, Olive0);                                    // spade
    Barrel(c, 70, 50, 152, 38, 5, Olive1);
    c.Rect(148, 36, 6, 9, Olive0);
    c.Polygon({{62, 64}, {84, 64}, {90, 36}, {58, 40}}, Olive2);  // shield
    c.Line(58, 40, 90, 36, Olive3);
    Wheel(c, 72, 86, 16);
    return c;
}

IndexedCanvas FighterPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 100);
    CloudAt(c, 12, 70);
    CloudAt(c, 120, 16);
    CloudAt(c, 96, 82);
    c.Polygon({{22, 46}, {14, 26}, {26, 26}, {44, 48}}, Air1);  // fin
    c.Polygon({{18, 50}, {120, 42}, {140, 46}, {142, 54}, {120, 60}, {30, 58}}, Air1);
    c.Polygon({{18, 50}, {120, 42}, {140, 46}, {30, 50}}, Air2);
    c.Rect(58, 54, 46, 5, Air0);  // wing
    c.Polygon({{18, 50}, {44, 51}, {40, 54}, {20, 53}}, Air0);  // tail plane
    c.Polygon({{98, 44}, {106, 36}, {118, 38}, {122, 44}}, Glass);
    c.Disc(143, 50, 4, Grey3);
    c.Rect(146, 30, 2, 42, Grey1);
    c.Rect(80, 61, 4, 6, Grey0);  // a bomb under the wing
    return c;
}

IndexedCanvas HelicopterPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 84);
    Ground(c, 84);
    c.Polygon({{62, 46}, {12, 50}, {12, 55}, {62, 58}}, Olive1);  // tail boom
    c.Polygon({{12, 50}, {8, 36}, {16, 36}, {22, 50}}, Olive1);   // fin
    c.Ring(12, 40, 6, Grey1);
    c.Polygon({{60, 40}, {112, 40}, {126, 52}, {120, 66}, {66, 66}, {56, 52}}, Olive2);
    c.Polygon({{104, 42}, {112, 42}, {122, 52}, {104, 52}}, Glass);
    c.Rect(72, 46, 10, 8, Glass);
    c.Rect(86, 46, 10, 8, Glass);
    c.Rect(84, 32, 5, 8, Grey1);     // mast
    c.Rect(18, 30, 136, 2, Grey0);   // rotor
    c.Line(72, 66, 68, 74, Grey0);
    c.Line(112, 66, 116, 74, Grey0);
    c.Rect(58, 74, 68, 2, Grey0);    // skid
    return c;
}

// 152 pixels wide: the rows of its bit planes end in half-used words.
IndexedCanvas CarrierPicture()
{
    IndexedCanvas c(152, 100, Black);
    Sky(c, 72);
    CloudAt(c, 90, 20);
    Ground(c, 72);
    TrackRun(c, 26, 98, 82, 14);
    c.Polygon({{18, 66}, {132, 66}, {142, 50}, {128, 36}, {28, 36}, {16, 48}}, Olive1);
    c.Line(28, 36, 128, 36, Olive3);
    c.Rect(40, 44, 22, 10, Olive2);  // side door
    c.Frame(40, 44, 22, 10, Olive0);
    c.Rect(90, 30, 12, 6, Olive0);   // cupola
    Barrel(c, 100, 31, 128, 29, 2, Grey0);
    return c;
}

IndexedCanvas BoatPicture()
{
    IndexedCanvas c(160, 100, Black);
    Sky(c, 56);
    c.Bands(56, 11, {Sea2, Sea1, Sea0, Sea0});
    c.Polygon({{8, 54}, {150, 48}, {138, 70}, {22, 70}}, Grey2);
    c.Polygon({{8, 54}, {150, 48}, {148, 52}, {10, 57}}, Grey3);
    c.Rect(22, 66, 118, 3, Red);   // below the waterline
    c.Rect(58, 34, 44, 16, Grey3);
    c.Rect(84, 26, 18, 10, Grey3);
    c.Rect(86, 28, 14, 3, Glass);
    c.Line(76, 8, 76, 34, Grey1);  // mast
    c.Rect(70, 12, 13, 2, Grey1);
    c.Disc(122, 46, 5, Grey3);
    Barrel(c, 124, 44, 142, 40, 2, Grey1);
    c.Polygon({{144, 58}, {158, 66}, {146, 68}}, White);  // bow wave
    return c;
}

IndexedCanvas Landscape()
{
    IndexedCanvas c(320, 200, Black);
    Sky(c, 100);
    CloudAt(c, 40, 24);
    CloudAt(c, 180, 16);
    CloudAt(c, 260, 40);
    c.Polygon({{0, 100}, {0, 80}, {60, 62}, {120, 84}, {190, 58}, {260, 78}, {320, 66}, {320, 100}}, Tree0);
    Ground(c, 100);
    c.Polygon({{0, 100}, {110, 100}, {90, 140}, {0, 150}}, Sand1);  // fields
    c.Polygon({{200, 110}, {320, 104}, {320, 160}, {230, 170}}, Grass2);
    for (int y = 108; y < 148; y += 6)
        c.Line(0, y + 2, 96 - (y - 100) / 2, y, Earth0);
    c.Polygon({{150, 100}, {166, 100}, {130, 200}, {96, 200}}, Water);  // river
    c.Polygon({{250, 100}, {258, 100}, {320, 180}, {320, 200}, {300, 200}}, Grey3);  // road
    for (const int x : {200, 232}) {
        c.Rect(x, 120, 24, 16, White);
        c.Polygon({{x - 2, 121}, {x + 12, 110}, {x + 26, 121}}, Roof);
        c.Rect(x + 10, 128, 5, 8, Brown);
    }
    for (const int x : {20, 48, 180, 296})
        Tree(c, x, 176, 16);
    for (const int x : {132, 176, 280})
        Tree(c, x, 104, 8);
    return c;
}

IndexedCanvas BunkerAtDusk()
{
    IndexedCanvas c(160, 100, Black);
    c.Bands(0, 10, {Dusk0, Dusk1, Dusk2, Dusk3, Dusk3});
    c.Disc(120, 62, 12, Yellow);
    c.Polygon({{0, 100}, {0, 64}, {50, 52}, {110, 56}, {160, 66}, {160, 100}}, Earth2);
    c.Polygon({{0, 100}, {0, 74}, {60, 66}, {160, 78}, {160, 100}}, Grass2);
    c.Polygon({{46, 66}, {54, 44}, {106, 44}, {114, 66}}, Grey2);
    c.Rect(54, 44, 52, 3, Grey3);
    c.Rect(62, 52, 36, 4, Black);  // firing slit
    for (int x = 4; x < 160; x += 12) {
        c.Line(x, 80, x + 12, 80, Grey1);  // wire
        c.Line(x, 76, x + 6, 84, Grey1);
        c.Line(x + 6, 76, x, 84, Grey1);
    }
    return c;
}

std::string Annotation(const char* text)
{
    std::string s = text;
    if (s.size() % 2 == 0)
        s += '.';  // odd on purpose: the reader must skip the pad byte after it
    return s;
}

// The number of palette entries for an odd-length palette that still holds every colour used.
int OddColours(const IndexedCanvas& c)
{
    const int used = *std::max_element(c.Pixels().begin(), c.Pixels().end()) + 1;
    return used % 2 == 1 ? used : used + 1;
}

DemoPicture Make(int number, IndexedCanvas image, bool planar, bool compressed)
{
    DemoPicture p{number, std::move(image), Palette(), {}};
    p.Options.Planar = planar;
    p.Options.Compressed = compressed;
    return p;
}

}  // namespace

std::string DemoPictureFileName(int number)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    return "Pm" + digits + ".lbm";
}

std::vector<DemoPicture> DemoPictures()
{
    std::vector<DemoPicture> pictures;
    pictures.push_back(Make(1, Tank(), true, false));
    pictures.push_back(Make(2, SoldierPicture(), false, true));
    pictures.push_back(Make(3, TruckPicture(), true, true));
    pictures.push_back(Make(4, FieldGunPicture(), false, false));
    pictures.back().Options.Colours = OddColours(pictures.back().Image);
    pictures.push_back(Make(5, FighterPicture(), true, true));
    pictures.back().Options.Extra = {{"ANNO", Annotation("Brackle demo picture: a fighter of our own drawing")}};
    pictures.push_back(Make(7, HelicopterPicture(), false, true));
    pictures.back().Options.Colours = OddColours(pictures.back().Image);
    pictures.back().Options.Extra = {{"ANNO", Annotation("Brackle demo picture: a helicopter")}};
    pictures.push_back(Make(9, CarrierPicture(), true, false));
    pictures.push_back(Make(12, BoatPicture(), false, false));
    pictures.back().Options.Extra = {{"ANNO", Annotation("Brackle demo picture: a patrol boat")}};
    pictures.push_back(Make(120, Landscape(), true, true));
    pictures.back().Options.Colours = OddColours(pictures.back().Image);
    pictures.push_back(Make(4242, BunkerAtDusk(), false, true));
    return pictures;
}

int DemoPictureOf(const std::string& unitKind)
{
    static const std::map<std::string, int> kPictures = [] {
        std::map<std::string, int> m;
        const auto put = [&m](int picture, std::initializer_list<const char*> kinds) {
            for (const char* k : kinds)
                m[k] = picture;
        };
        put(1, {"lighttank", "medtank", "heavytank", "mbt", "armcar", "td", "spg", "spaa", "mrl", "flametank",
                "minerkt"});
        put(2, {"rifle", "mg", "mortar", "sniper", "eng", "recon", "atgm", "sam", "fo", "para", "hmgteam", "crew"});
        put(3, {"truck", "jeep", "recovery"});
        put(4, {"atgun", "fieldgun", "howitzer", "aagun", "hvymortar", "minegun"});
        put(5, {"fbomber", "bomber", "glider", "spotter", "lttrans", "gajet", "weasel", "gunship", "csplane", "jetfb"});
        put(7, {"attackheli", "transheli", "recheli", "utilheli", "hvyheli", "scoutheli"});
        put(9, {"halftrack", "apc", "ifv", "cmdveh"});
        put(12, {"patrol", "smallcraft", "barge", "boat"});
        put(120, {"hq", "bnhq"});
        put(4242, {"bunker"});
        return m;
    }();
    const auto found = kPictures.find(unitKind);
    if (found == kPictures.end())
        throw std::logic_error("no demo picture for the unit kind " + unitKind);
    return found->second;
}

}  // namespace brackle
