#include "game/AOptionsRollavex.h"

#include <cstdio>
#include <utility>
#include "platform/io/MSettings.h"

int32_t AOptionsRollavex::LoadExtra()
{
    ReadNumber(Difficulty, "Difficulty", 0);
    ReadNumber(DiceMoveMode, "DiceMoveMode", 0);
    ReadNumber(NumDiceSuits, "NumDiceSuits", 2);
    ReadNumber(File1LoadEnabled, "File1LoadEnabled", 0);
    ReadControl(MouseSensitivity, "MouseSensitivity", 100, 10, 1000);
    ReadControl(InvertY, "InvertY", 0, 0, 1);
    ReadControl(StickDeadZone, "StickDeadZone", 15, 0, 90);
    return 0;
}

void AOptionsRollavex::ReadControl(int32_t& out, const char* name, int32_t fallback, int32_t lowest,
                                   int32_t highest)
{
    GetSettings()->ReadDword(&out, name, fallback, "Input");
    if (out >= lowest && out <= highest)
        return;
    std::fprintf(stderr, "settings: [Input] %s=%d is not from %d to %d; %d is used\n", name, static_cast<int>(out),
                 static_cast<int>(lowest), static_cast<int>(highest), static_cast<int>(fallback));
    out = fallback;
}

void AOptionsRollavex::SaveExtra()
{
    WriteNumber("NumDiceSuits", NumDiceSuits);
    for (const auto& [name, value] : {std::pair{"MouseSensitivity", MouseSensitivity}, std::pair{"InvertY", InvertY},
                                      std::pair{"StickDeadZone", StickDeadZone}})
        GetSettings()->WriteDword(name, value, "Input");
}
