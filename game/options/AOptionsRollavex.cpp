#include "game/options/AOptionsRollavex.h"

#include <utility>
#include "platform/io/MSettings.h"

namespace {
constexpr const char* kInput = "Input";
} // namespace

int32_t AOptionsRollavex::LoadExtra()
{
    ReadNumber(Difficulty, "Difficulty", 0);
    ReadNumber(DiceMoveMode, "DiceMoveMode", 0);
    ReadNumber(NumDiceSuits, "NumDiceSuits", 2);
    ReadNumber(File1LoadEnabled, "File1LoadEnabled", 0);
    ReadRanged(MouseSensitivity, "MouseSensitivity", 100, 10, 1000, kInput);
    ReadRanged(InvertY, "InvertY", 0, 0, 1, kInput);
    ReadRanged(StickDeadZone, "StickDeadZone", 15, 0, 90, kInput);
    ReadRanged(Ghost, "Ghost", 1, 0, 1, "Config");
    return 0;
}

void AOptionsRollavex::SaveExtra()
{
    WriteNumber("NumDiceSuits", NumDiceSuits);
    for (const auto& [name, value] : {std::pair{"MouseSensitivity", MouseSensitivity}, std::pair{"InvertY", InvertY},
                                      std::pair{"StickDeadZone", StickDeadZone}})
        GetSettings()->WriteDword(name, value, kInput);
}
