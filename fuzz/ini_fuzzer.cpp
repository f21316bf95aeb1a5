// Any text as BRVX.ini: parsed, and the settings and name tables read from it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "oob/config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const brackle::IniFile ini = brackle::IniFile::FromText(std::string(reinterpret_cast<const char*>(data), size));
    brackle::Settings settings;
    brackle::NameTables names;
    brackle::readinifile(&ini, settings, names);
    FUZZ_CHECK(settings.TransparentColour >= 0 && settings.TransparentColour <= 255);
    FUZZ_CHECK(settings.HintTimeMs >= 0 && settings.HintTimeMs <= 500000);
    return 0;
}
