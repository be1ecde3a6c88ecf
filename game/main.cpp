#include "game/AAppRollavex.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "Usage: rollavex [--help | --version]\n"
    "\n"
    "Rollavex is a 3D tilt maze: lean the wooden board and roll the steel ball past\n"
    "the holes into the goal square, against the clock.\n"
    "\n"
    "Keys:\n"
    "  mouse button held, mouse moved   lean the board\n"
    "  arrow keys, W A S D               lean the board\n"
    "  N                                 new game\n"
    "  P, Pause                          pause and resume\n"
    "  Escape, F9                        quit\n"
    "\n"
    "Gamepad:\n"
    "  left stick, d-pad                 lean the board\n"
    "  A                                 new game\n"
    "  Start                             pause and resume\n"
    "  Back                              quit\n"
    "\n"
    "Settings are kept in $XDG_CONFIG_HOME/Orvande/Rollavex/ (default ~/.config);\n"
    "[Config] holds SFX and Music (percent by ear, 100 and 70; 0 or -1 silent);\n"
    "[Input] holds MouseSensitivity (percent, 100), InvertY (0) and StickDeadZone (percent, 15).\n"
    "\n"
    "Environment:\n"
    "  RVX_RECORD=<file>        record the game into a file\n"
    "  RVX_REPLAY=<file>        play a recorded game back\n"
    "  RVX_DIALOG_ANSWERS=...   answer the dialogs without showing them\n"
    "                           (ok, cancel, yes, no or a file path, separated by ;)\n"
    "  RVX_DIALOG_LOG=<file>    append each dialog shown to a file\n";

constexpr int kStart = -1;

// kStart without arguments; otherwise answers them and gives the exit code.
int AnswerArguments(int argc, char** argv)
{
    if (argc == 1)
        return kStart;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("rollavex " RVX_VERSION);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (int code = AnswerArguments(argc, argv); code != kStart)
        return code;
    auto* app = new AAppRollavex();
    SetApplication(app);
    int32_t code = app->Execute();
    delete app;
    SetApplication(nullptr);
    return code;
}
