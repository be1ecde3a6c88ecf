// The settings file read through the settings store.
#include <filesystem>
#include "FuzzSupport.h"
#include "platform/io/MSettings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::filesystem::create_directories(fuzz::Folder() + "/Orvande/Rollavex");
    setenv("XDG_CONFIG_HOME", fuzz::Folder().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteFile("Orvande/Rollavex/settings.ini", data, size);
    MSettings settings;
    settings.OpenConfigRoot("Orvande", "Rollavex");
    int32_t number = 0;
    settings.ReadDword(&number, "Music", 100, "Config");
    char text[256];
    settings.ReadString(text, "mmpath", "", "Config", sizeof text);
    return 0;
}
