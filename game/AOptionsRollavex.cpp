#include "game/AOptionsRollavex.h"

int32_t AOptionsRollavex::LoadExtra()
{
    ReadNumber(Difficulty, "Difficulty", 0);
    ReadNumber(DiceMoveMode, "DiceMoveMode", 0);
    ReadNumber(NumDiceSuits, "NumDiceSuits", 2);
    ReadNumber(File1LoadEnabled, "File1LoadEnabled", 0);
    return 0;
}

void AOptionsRollavex::SaveExtra()
{
    WriteNumber("NumDiceSuits", NumDiceSuits);
}
