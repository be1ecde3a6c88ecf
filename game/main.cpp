#include "game/AAppRollavex.h"

int main()
{
    auto* app = new AAppRollavex();
    SetApplication(app);
    int32_t code = app->Execute();
    delete app;
    SetApplication(nullptr);
    return code;
}
